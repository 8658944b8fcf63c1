// One keystroke in the search box, the whole way: settings load, list statement, fetch, money
// total, sort, settings save and the grid's repaint; offscreen, on 10,000 and 100,000 guests.
// Each run types names letter by letter and deletes them again; the median of the keystrokes.
#include "app/KRV.h"
#include "app/Unit1.h"
#include "support/program_fixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const char* const kFirst[] = {"Anna", "Bjorn", "Carla", "Dmitri", "Elif", "Farid", "Greta", "Hiro",
                              "Ines", "Jonas", "Kavya", "Lars", "Mira", "Nils", "Olga", "Pavel"};
const char* const kLast[] = {"Andersen", "Berg", "Costa", "Dahl", "Eriksen", "Fischer", "Garcia", "Holm",
                             "Ivanova", "Jensen", "Kowalski", "Lund", "Moreau", "Nakamura", "Olsen"};

// Guests with varied names, a table note on some, money on about half, four groups.
QString seed(int guests)
{
    QString sql = "BEGIN;INSERT INTO mb_group VALUES (1,'Family'),(2,'Friends'),(3,'Work'),(4,'Neighbours');";
    for (int i = 1; i <= guests; ++i) {
        const QString money = i % 2 ? QString::number(100 * (i % 97 + 1)) : QString("NULL");
        sql += QString("INSERT INTO member (userid,name,lastname,other_txt,note,money,group_id) VALUES "
                       "(%1,'%2','%3%4','Table %5','%6',%7,%8);")
                   .arg(i)
                   .arg(kFirst[i % 16])
                   .arg(kLast[(i / 16) % 15])
                   .arg(i / 240)
                   .arg(i % 40 + 1)
                   .arg(i % 3 ? "" : "vegetarian")
                   .arg(money)
                   .arg(i % 5);
    }
    return sql + "COMMIT;";
}

// Typing then deleting each word: every prefix once on the way in and once on the way out.
QStringList keystrokes()
{
    QStringList texts;
    for (const QString word : {"jensen", "mira", "table 12", "4500"}) {
        for (int n = 1; n <= word.size(); ++n)
            texts << word.left(n);
        for (int n = int(word.size()) - 1; n >= 0; --n)
            texts << word.left(n);
    }
    return texts;
}

double median_keystroke_ms(int guests)
{
    ProgramFolder folder;
    folder.sql(seed(guests));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    ScriptedDialogs dialogs;
    create_windows();
    Unit1::app_path = folder.path();
    Form1->Show();
    QCoreApplication::processEvents();
    Form1->search_box->SetFocus();

    std::vector<double> ms;
    for (const QString& text : keystrokes()) {
        QElapsedTimer t;
        t.start();
        Form1->search_box->SetText(text);
        QCoreApplication::processEvents();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    if (!dialogs.boxes.empty())
        std::fprintf(stderr, "box: %s\n", qPrintable(dialogs.texts().join("; ")));
    destroy_windows();
    QDir::setCurrent(previous);
    std::nth_element(ms.begin(), ms.begin() + ms.size() / 2, ms.end());
    return ms[ms.size() / 2];
}

} // namespace

int main()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    test_application();
    std::printf("keystroke_10k_ms: %.1f\n", median_keystroke_ms(10000));
    std::printf("keystroke_100k_ms: %.1f\n", median_keystroke_ms(100000));
    return 0;
}
