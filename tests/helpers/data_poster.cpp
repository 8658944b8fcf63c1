// Child process of the crash test: posts guests one by one into control.orac of the current
// directory and prints each key once its Post has returned, until it is killed.
#include "data/ado.h"

#include <cstdio>

int main()
{
    try {
        TADOConnection conn("ADOConnection1");
        conn.SetConnectionString(
            "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=control.orac;Persist Security Info=False");
        TADOQuery cnn("cnn"), guests("ADOQuery1");
        cnn.SetConnection(&conn);
        guests.SetConnection(&conn);
        guests.SetSQL("SELECT * FROM member ORDER BY userid");
        guests.Open();
        for (;;) {
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
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
