#include "support/program_fixture.h"

#include "app/CheckPrevious.h"
#include "app/KRV.h"
#include "app/Unit1.h"
#include "net/web_browser.h"
#include "system/sysutils.h"
#include "toolkit/application.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>

namespace {

TApplication* application = nullptr;

// The application ends before the process does, and the browser engine before it: the engine
// winds down on threads of its own that must not outlive the application.
class ApplicationEnd : public ::testing::Environment {
public:
    void TearDown() override
    {
        TWebBrowser::Shutdown();
        delete application;
        application = nullptr;
    }
};

[[maybe_unused]] ::testing::Environment* const application_end =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnd);

void pump_events()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

} // namespace

TApplication* test_application()
{
    static int argc = 1;
    static char name[] = "krv_tests";
    static char* argv[] = {name, nullptr};
    if (!application) {
        application = new TApplication(argc, argv);
        TWebBrowser::SetEngineFolder(KRV_PROGRAM_DIR);
    }
    return application;
}

ProgramFolder::ProgramFolder()
{
    const QDir shipped(KRV_PROGRAM_DIR);
    for (const QString& f : shipped.entryList(QDir::Files)) {
        if (f == "KRV" || f.endsWith(".so") || f.startsWith("control.orac") || f == "krv.ini")
            continue;
        QFile::copy(shipped.filePath(f), dir_.filePath(f));
    }
    sql(QString());
}

void ProgramFolder::install_program() const
{
    for (const QString& f : {QString("KRV"), QString("libkrv_browser_engine.so")}) {
        QFile::copy(QString(KRV_PROGRAM_DIR) + "/" + f, dir_.filePath(f));
        QFile(dir_.filePath(f)).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}

void ProgramFolder::sql(const QString& statements) const
{
    QFile schema(QString(KRV_SOURCE_DIR) + "/program/schema.sql");
    QString script;
    if (!QFile::exists(dir_.filePath("control.orac")) && schema.open(QIODevice::ReadOnly))
        script = QString::fromUtf8(schema.readAll());
    script += statements;
    QProcess p;
    p.start("sqlite3", {dir_.filePath("control.orac")});
    p.waitForStarted();
    p.write(script.toUtf8());
    p.closeWriteChannel();
    p.waitForFinished();
    if (p.exitCode() != 0)
        ADD_FAILURE() << "sqlite3: " << p.readAllStandardError().toStdString();
}

void ProgramTest::SetUp()
{
    // Each test is a start of its own: the units' start values, and the application's title unset.
    test_application()->SetTitle({});
    initialize_units();
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    previousRuntime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    previousDir = QDir::currentPath();
    QDir::setCurrent(folder.path());
    // Windows that find their files beside the executable find the test's folder.
    SetExecutablePath(folder.file("KRV"));
}

void ProgramTest::start(bool show)
{
    start_program(folder, show);
    started = true;
}

QStringList value_texts(const QVariantList& values)
{
    QStringList out;
    for (const QVariant& v : values)
        out << v.toString();
    return out;
}

void start_program(const ProgramFolder& folder, bool show)
{
    QDir::setCurrent(folder.path());
    SetExecutablePath(folder.file("KRV"));
    create_windows();
    // The program folder is the executable's; tests use their own.
    Unit1::app_path = folder.path();
    // Nothing beyond this machine: the minute timer's check finds no service here.
    Unit1::web_host = "127.0.0.1:1";
    if (show)
        Form1->Show();
    pump_events();
}

void ProgramTest::pump()
{
    pump_events();
}

void ProgramTest::TearDown()
{
    if (started) {
        // What the test's last events queued (a failure shown after a paint) runs while its windows
        // and boxes are there, not in the next test.
        pump();
        destroy_windows();
        ReleaseInstanceSlot();
    }
    if (previousRuntime.isNull())
        qunsetenv("XDG_RUNTIME_DIR");
    else
        qputenv("XDG_RUNTIME_DIR", previousRuntime);
    SetExecutablePath({});
    QDir::setCurrent(previousDir);
}
