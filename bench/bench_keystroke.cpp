// One keystroke in the search box, the whole way: settings load, list statement, fetch, money
// total, sort, settings save and the grid's repaint; offscreen, on 10,000 and 100,000 guests.
// Each run types names letter by letter and deletes them again; the median of the keystrokes, in
// wall time and, as a check on a busy machine, in the GUI thread's processor time. A third figure
// is the engine's share: the statements that the same keystrokes ran (the list's, and the total's
// where the program still ran it) alone, their rows stepped through but not fetched.
#include "app/KRV.h"
#include "app/Unit1.h"
#include "data/ado.h"
#include "data/statement.h"
#include "guest_seed.h"
#include "support/program_fixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sqlite3.h>
#include <vector>

namespace {

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

double thread_cpu_ms()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double median(std::vector<double> v)
{
    std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
    return v[v.size() / 2];
}

struct Medians {
    double wall_ms, cpu_ms, statements_ms;
};

struct Statements {
    QString list_sql;
    QVariantList list_values;
    bool total_ran;
    QString total_sql;
    QVariantList total_values;
};

// Whether the program ran the total's statement since the flag was last cleared.
bool total_ran = false;

void watch_total(sqlite3* db)
{
    sqlite3_trace_v2(
        db, SQLITE_TRACE_STMT,
        [](unsigned, void*, void* stmt, void*) {
            if (QByteArray(sqlite3_sql(static_cast<sqlite3_stmt*>(stmt))).startsWith("SELECT SUM(money)"))
                total_ran = true;
            return 0;
        },
        nullptr);
}

// The statements of the last keystroke, with "List All" chosen.
Statements last_statements()
{
    return {Unit1::member_sql, Unit1::member_sql_values, total_ran,
            "SELECT SUM(money) AS total_money FROM member" + Unit1::search_filter,
            Unit1::search_filter_values};
}

double statements_ms(sqlite3* db, const Statements& s)
{
    QElapsedTimer t;
    t.start();
    for (Statement st(db, s.list_sql, s.list_values); st.Step();) {
    }
    if (s.total_ran)
        for (Statement st(db, s.total_sql, s.total_values); st.Step();) {
        }
    return t.nsecsElapsed() / 1e6;
}

Medians median_keystroke(int guests)
{
    ProgramFolder folder;
    folder.sql(seed(guests));
    const QString previous = QDir::currentPath();
    ScriptedDialogs dialogs;
    start_program(folder);
    Form1->search_box->SetFocus();
    sqlite3* db = Form1->ADOConnection1->Connect();
    watch_total(db);

    std::vector<double> wall, cpu;
    std::vector<Statements> statements;
    for (const QString& text : keystrokes()) {
        total_ran = false;
        QElapsedTimer t;
        t.start();
        const double cpu_start = thread_cpu_ms();
        Form1->search_box->SetText(text);
        QCoreApplication::processEvents();
        cpu.push_back(thread_cpu_ms() - cpu_start);
        wall.push_back(t.nsecsElapsed() / 1e6);
        statements.push_back(last_statements());
    }
    sqlite3_trace_v2(db, 0, nullptr, nullptr);
    std::vector<double> engine;
    for (const Statements& s : statements)
        engine.push_back(statements_ms(db, s));
    if (!dialogs.boxes.empty())
        std::fprintf(stderr, "box: %s\n", qPrintable(dialogs.texts().join("; ")));
    destroy_windows();
    QDir::setCurrent(previous);
    return {median(wall), median(cpu), median(engine)};
}

} // namespace

// Arguments name the sizes to run ("10k", "100k"); none runs both.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    test_application();
    QStringList sizes;
    for (int i = 1; i < argc; ++i)
        sizes << argv[i];
    for (const auto& [guests, name] : {std::pair{10000, "10k"}, std::pair{100000, "100k"}}) {
        if (!sizes.isEmpty() && !sizes.contains(name))
            continue;
        const Medians m = median_keystroke(guests);
        std::printf("keystroke_%s_ms: %.1f\n", name, m.wall_ms);
        std::printf("keystroke_%s_cpu_ms: %.1f\n", name, m.cpu_ms);
        std::printf("keystroke_%s_statements_ms: %.1f\n", name, m.statements_ms);
    }
    return 0;
}
