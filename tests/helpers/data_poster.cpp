// Child process of the data layer tests: opens control.orac of the current directory as the program
// does, prints "open <rows>" with the number of guests it sees, then posts guests one by one and prints
// each key once its Post has returned: as many as its argument says, or until it is killed. A failure
// is printed as "failed: <message>" and ends it with exit code 1.
#include "data/ado.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    const long posts = argc > 1 ? std::atol(argv[1]) : -1;
    try {
        TADOConnection conn("ADOConnection1");
        conn.SetConnectionString(
            "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=control.orac;Persist Security Info=False");
        TADOQuery cnn("cnn"), guests("ADOQuery1");
        cnn.SetConnection(&conn);
        guests.SetConnection(&conn);
        guests.SetSQL("SELECT * FROM member ORDER BY userid");
        guests.Open();
        std::printf("open %d\n", guests.RecordCount());
        std::fflush(stdout);
        for (long i = 0; i != posts; ++i) {
            cnn.SetSQL("SELECT userid FROM member ORDER BY userid DESC;");
            cnn.Open();
            const int key = cnn.FieldByName("userid")->AsInteger() + 1;
            cnn.Close();
            guests.Insert();
            guests.FieldByName("userid")->SetAsInteger(key);
            guests.FieldByName("name")->SetAsString(QString("Guest %1").arg(key));
            guests.FieldByName("money")->SetAsCurrency(Currency(key));
            guests.Post();
            std::printf("%d\n", key);
            std::fflush(stdout);
        }
    } catch (const Exception& e) {
        std::printf("failed: %s\n", e.what());
        return 1;
    }
}
