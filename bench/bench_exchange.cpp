// Export and import of 10,000 and of 100,000 guests, the whole handler: file, guest query, grid and
// card preview. Each round exports the full register, empties it, lists it again and imports the
// file back; the median of five rounds, in seconds of wall time.
#include "app/KRV.h"
#include "app/Unit1.h"
#include "data/ado.h"
#include "support/program_fixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

QString seed(int guests)
{
    QString sql = "BEGIN;";
    for (int i = 1; i <= guests; ++i)
        sql += QString("INSERT INTO member (userid,name,lastname,other_txt,note,email,money,group_id) VALUES "
                       "(%1,'Guest %1','Lastname %2','Table %3','note',%4,%5,0);")
                   .arg(i)
                   .arg(i % 97)
                   .arg(i % 40 + 1)
                   .arg(i % 3 ? QString("'guest%1@example.org'").arg(i) : QString("NULL"))
                   .arg(i % 2 ? QString::number(100 * (i % 50 + 1)) : QString("NULL"));
    return sql + "COMMIT;";
}

double seconds(const std::function<void()>& run)
{
    QElapsedTimer t;
    t.start();
    run();
    QCoreApplication::processEvents();
    return t.nsecsElapsed() / 1e9;
}

double median(std::vector<double> v)
{
    std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
    return v[v.size() / 2];
}

} // namespace

// With arguments (a number of guests and of rounds) only that size, as for an instruction count.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    test_application();
    ProgramFolder folder;
    ScriptedDialogs dialogs;
    start_program(folder);

    const std::vector<int> sizes =
        argc > 2 ? std::vector<int>{std::atoi(argv[1])} : std::vector<int>{10000, 100000};
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    for (const int guests : sizes) {
        folder.sql("DELETE FROM member;" + seed(guests));
        Dispatch([] { Form1->list_allClick(nullptr); });
        dialogs.boxes.clear();
        std::vector<double> exports, imports;
        for (int round = 0; round < rounds; ++round) {
            dialogs.saveFiles.push_back(folder.file("guests.gst"));
            dialogs.confirmAnswers.push_back(true); // replace it
            exports.push_back(seconds([] { Dispatch([] { Form1->kr_export->Click(); }); }));
            folder.sql("DELETE FROM member;");
            Dispatch([] { Form1->list_allClick(nullptr); });
            dialogs.openFiles.push_back(folder.file("guests.gst"));
            imports.push_back(seconds([] { Dispatch([] { Form1->kr_import->Click(); }); }));
        }
        if (dialogs.texts().size() != 2 * rounds || Form1->ADOQuery1->RecordCount() != guests)
            std::fprintf(stderr, "unexpected: %s\n", qPrintable(dialogs.texts().join("; ")));
        std::printf("export_%dk_s: %.3f\n", guests / 1000, median(exports));
        std::printf("import_%dk_s: %.3f\n", guests / 1000, median(imports));
        std::fflush(stdout);
    }
    destroy_windows();
    return 0;
}
