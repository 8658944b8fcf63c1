// Program start: the ten windows, the creation handler and its failure rules.
#include "app/CheckPrevious.h"
#include "app/KRV.h"
#include "app/Unit1.h"
#include "app/about.h"
#include "designer/Unit2.h"
#include "designer/print_now_control.h"
#include "online/Unit8.h"
#include "register/Unit3.h"
#include "register/Unit4.h"
#include "register/Unit5.h"
#include "register/data_update_dialog.h"
#include "register/money_update.h"
#include "support/program_fixture.h"
#include "system/firewall.h"
#include "system/sysutils.h"

#include <QProcess>

namespace {

class RecordingFirewall : public FirewallService {
public:
    explicit RecordingFirewall(bool fail = false) : fail_(fail) { SetFirewall(this); }
    ~RecordingFirewall() override { SetFirewall(nullptr); }
    void AuthorizeApplication(const QString& name, const QString& image) override
    {
        calls.push_back(name + "|" + image);
        if (fail_)
            throw Exception("Access is denied");
    }
    QStringList calls;

private:
    bool fail_;
};

using StartupTest = ProgramTest;

TEST_F(StartupTest, CreatesTheTenWindowsWithTheirCaptions)
{
    RecordingFirewall firewall;
    start(false);
    const std::vector<std::pair<TForm*, QString>> windows = {
        {Form1, "KAVRI Vivudoz 2011"},  {Form2, "Main text"},         {Form3, "New"},
        {Form4, "New Group Name"},      {Form5, "Update Group Name"}, {Form6, "Print Multiple Control"},
        {data_update, "Data update"},   {Form7, "Money update"},      {Form8, "Send Email to this Name"},
        {Form9, "About: KAVRI Vivudoz"}};
    for (const auto& [form, caption] : windows) {
        ASSERT_NE(form, nullptr) << caption.toStdString();
        EXPECT_EQ(form->Caption(), caption);
    }
    EXPECT_EQ(Application->MainForm(), Form1);
}

TEST_F(StartupTest, CreationHandlerSetsTheStartValues)
{
    RecordingFirewall firewall;
    start(false);
    EXPECT_EQ(Form1->size_select->ItemIndex(), 0);
    EXPECT_DOUBLE_EQ(Unit1::main_shadow_distance, 0.006);
    EXPECT_DOUBLE_EQ(Unit1::text_shadow_distance, 0.006);
    EXPECT_EQ(Application->Title(), "KAVRI Vivudoz 2011");
    EXPECT_EQ(Unit1::column_moving, "no");
    EXPECT_FALSE(Unit1::web_host.isEmpty());
    ASSERT_EQ(firewall.calls.size(), 1);
    // The image is always named KRV.exe in the executable's folder, whatever the file is called.
    EXPECT_EQ(firewall.calls[0], "Velmora|" + ExtractFilePath(ExecutablePath()) + "KRV.exe");
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.texts().join("; ").toStdString();
}

TEST_F(StartupTest, AFirewallFailureSkipsTheRestOfTheCreationHandler)
{
    RecordingFirewall firewall(true);
    Unit1::main_shadow_distance = Unit1::text_shadow_distance = 0;
    Unit1::column_moving.clear();
    start(false);
    EXPECT_EQ(dialogs.texts(), QStringList{"Access is denied."});
    EXPECT_DOUBLE_EQ(Unit1::main_shadow_distance, 0);
    EXPECT_DOUBLE_EQ(Unit1::text_shadow_distance, 0);
    EXPECT_NE(Application->Title(), "KAVRI Vivudoz 2011");
    EXPECT_TRUE(Unit1::column_moving.isEmpty());
    EXPECT_FALSE(Unit1::web_host.isEmpty());
}

TEST_F(StartupTest, AnUnusableDatabaseIsReportedAndTheWindowIsStillCreated)
{
    RecordingFirewall firewall;
    QFile::remove(folder.file("control.orac"));
    // Missing: never created silently. Not a database: the engine's message.
    start();
    ASSERT_FALSE(dialogs.boxes.empty());
    for (const RecordedBox& b : dialogs.boxes)
        EXPECT_EQ(b.icon, TMsgIcon::Error);
    EXPECT_TRUE(Form1->Visible());
    EXPECT_FALSE(QFile::exists(folder.file("control.orac")));
    destroy_windows();
    ReleaseInstanceSlot();
    started = false;

    QFile garbage(folder.file("control.orac"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, 'x'));
    garbage.close();
    dialogs.boxes.clear();
    start();
    ASSERT_FALSE(dialogs.boxes.empty());
    EXPECT_TRUE(dialogs.texts().join("\n").contains("not a database"))
        << dialogs.texts().join("; ").toStdString();
    EXPECT_TRUE(Form1->Visible());
}

// Another program's database in our file's place is named in every box and left exactly as it was.
TEST_F(StartupTest, AnotherProgramsDatabaseIsNamedAndNeverChanged)
{
    RecordingFirewall firewall;
    const QString file = folder.file("control.orac");
    folder.sql("DROP TABLE member; DROP TABLE mb_group; DROP TABLE for_report_show;"
               " CREATE TABLE notes (x); INSERT INTO notes VALUES (1); PRAGMA journal_mode=DELETE;");
    const auto content = [&] {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const QByteArray before = content();
    start();
    ASSERT_FALSE(dialogs.boxes.empty());
    for (const RecordedBox& b : dialogs.boxes)
        EXPECT_EQ(b.text.toStdString(), (file + ": no such table: member.").toStdString());
    EXPECT_TRUE(content() == before) << "the file was changed";
    EXPECT_FALSE(QFile::exists(file + "-wal"));
    EXPECT_FALSE(QFile::exists(file + "-shm"));
}

// The browser engine's libraries are large: the program, its engine library beside it, loads them
// only when it first browses.
TEST_F(StartupTest, TheRealProgramShowsItsListWithoutTheBrowserEngine)
{
    // The line comes once a guest's row has been painted.
    folder.sql("INSERT INTO member (userid, name, lastname) VALUES (1, 'Ann', 'Lee');");
    folder.install_program();
    QProcess krv;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("KRV_REPORT_LIST_SHOWN", "1");
    krv.setProcessEnvironment(env);
    krv.setWorkingDirectory(folder.path());
    krv.start(folder.file("KRV"), {});
    QByteArray out;
    while (!out.contains("list shown") && krv.waitForReadyRead(30000))
        out += krv.readAllStandardOutput();
    ASSERT_TRUE(out.contains("list shown"));
    QFile maps(QString("/proc/%1/maps").arg(krv.processId()));
    ASSERT_TRUE(maps.open(QIODevice::ReadOnly));
    const QByteArray mapped = maps.readAll();
    EXPECT_TRUE(mapped.contains("libQt6Widgets"));
    EXPECT_FALSE(mapped.contains("WebEngine"));
    krv.terminate();
    EXPECT_TRUE(krv.waitForFinished(10000));
}

} // namespace
