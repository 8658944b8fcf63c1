// Child process of the import kill test: starts the program in the current directory, imports the
// file named first, and kills itself while the row with the key named second is being stored,
// printing that key.
#include "app/KRV.h"
#include "app/Unit1.h"
#include "data/ado.h"
#include "support/program_fixture.h"
#include "system/sysutils.h"

#include <QCoreApplication>
#include <QDir>
#include <csignal>
#include <cstdio>
#include <sqlite3.h>
#include <string_view>

namespace {

sqlite3_int64 kill_at = 0;

void on_change(void*, int operation, const char*, const char* table, sqlite3_int64 rowid)
{
    if (operation == SQLITE_INSERT && std::string_view(table) == "member" && rowid == kill_at) {
        std::printf("%lld\n", rowid);
        std::fflush(stdout);
        std::raise(SIGKILL);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    test_application();
    SetExecutablePath(QDir::current().filePath("KRV"));
    ScriptedDialogs dialogs;
    dialogs.openFiles.push_back(QString::fromLocal8Bit(argv[1]));
    kill_at = QString(argv[2]).toLongLong();
    create_windows();
    Unit1::app_path = QDir::currentPath() + "/";
    Form1->Show();
    QCoreApplication::processEvents();

    sqlite3_update_hook(Form1->ADOConnection1->Handle(), on_change, nullptr);
    Dispatch([] { Form1->kr_import->Click(); });
    std::fprintf(stderr, "not killed: %s\n", qPrintable(dialogs.texts().join("; ")));
    return 1;
}
