// Export: refusal, what is written and where, the search box afterwards, failures.
#include "exchange/exchange_fixture.h"
#include "exchange/gst_file.h"

#include <QDir>
#include <csignal>
#include <sys/resource.h>

namespace {

// Guest 0 is never written; Bo's NULL columns give empty fields; Ann's blanks stay.
const QString kSeed =
    "INSERT INTO member (userid, name, lastname, other_txt, note, email, money, group_id) VALUES"
    " (0, 'Zero', 'Key', '', '', NULL, NULL, 0),"
    " (1, ' Ann ', 'Lee', 'Table 4', 'vegan', 'ann@example.org', 1500, 1),"
    " (2, 'Bo', NULL, NULL, NULL, NULL, NULL, 0);";
const QByteArray kAnnLine = "1\t Ann 2\tLee3\tTable 44\tann@example.org5\t\r\n";
const QByteArray kBoLine = "1\tBo2\t3\t4\t5\t\r\n";

} // namespace

TEST(ExportTarget, ChosenNameLosesItsExtensionAndGainsGst)
{
    for (const auto& [chosen, target] : {std::pair{"/d/list", "/d/list.gst"},
                                         {"/d/list.gst", "/d/list.gst"},
                                         {"/d/guests.txt", "/d/guests.gst"},
                                         {"/d/a.gst.b.gst", "/d/a.b.gst"},
                                         {"/d.x/list", "/d.x/list.gst"}})
        EXPECT_EQ(gst_target(chosen), target) << chosen;
}

TEST_F(ExchangeTest, ExportRefusedOnEmptyRegister)
{
    start_with("");
    export_to(folder.file("list"));
    EXPECT_EQ(dialogs.texts(),
              QStringList{"No data in the system.\rPlease select \"Import\" or \"Add New Data\" "
                          "from the Main Munu."});
    EXPECT_EQ(dialogs.saveRuns, 0);
    EXPECT_FALSE(QFile::exists(folder.file("list.gst")));
}

TEST_F(ExchangeTest, ExportWritesListedGuestsInGridOrderIntoChosenFolder)
{
    start_with(kSeed);
    QDir().mkpath(folder.file("out"));
    const QString cwd = QDir::currentPath();
    Form1->ADOQuery1->SetSort("userid DESC");
    export_to(folder.file("out/guests.txt"));
    EXPECT_EQ(bytes(folder.file("out/guests.gst")), kBoLine + kAnnLine);
    EXPECT_EQ(messages(), QStringList{"Export the Guest list finished."});
    EXPECT_EQ(QDir::currentPath(), cwd);
    EXPECT_TRUE(Form1->search_box->Focused());
}

TEST_F(ExchangeTest, ExportOfSearchWithoutMatchWritesEmptyFileThenListsAll)
{
    start_with(kSeed);
    Form1->search_box->SetText("nobody");
    ASSERT_EQ(Form1->ADOQuery1->RecordCount(), 0);
    export_to(folder.file("none"));
    EXPECT_EQ(bytes(folder.file("none.gst")), QByteArray());
    EXPECT_EQ(messages(), QStringList{"Export the Guest list finished."});
    EXPECT_EQ(Form1->search_box->Text(), "");
    EXPECT_EQ(Form1->ADOQuery1->RecordCount(), 3);
}

TEST_F(ExchangeTest, CancelledExportStillEmptiesAndFocusesSearchBox)
{
    start_with(kSeed);
    Form1->search_box->SetText("Bo");
    Dispatch([] { Form1->kr_export->Click(); }); // no file queued: the user cancels
    EXPECT_EQ(dialogs.saveRuns, 1);
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(Form1->search_box->Text(), "");
    EXPECT_TRUE(Form1->search_box->Focused());
    EXPECT_EQ(Form1->ADOQuery1->RecordCount(), 3);
}

// One question, about the file that the export writes, whatever name the user typed; No keeps the
// file as it is.
TEST_F(ExchangeTest, TheExportAsksOnceAboutTheFileItWrites)
{
    start_with(kSeed);
    {
        QFile old(folder.file("guests.gst"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("kept");
    }
    const struct {
        const char* chosen;
        bool yes;
        const char* question;
        QByteArray written;
    } cases[] = {
        {"guests", false, "\"%1guests.gst\" already exists.\rDo you want to replace it?", "kept"},
        {"guests.txt", true, "\"%1guests.gst\" already exists.\rDo you want to replace it?",
         kAnnLine + kBoLine},
        {"new", false, "\"%1new.gst\" does not exist.\rCreate the file?", "<missing>"},
        {"new.gst", true, "\"%1new.gst\" does not exist.\rCreate the file?", kAnnLine + kBoLine},
    };
    for (const auto& c : cases) {
        dialogs.boxes.clear();
        dialogs.saveFiles.push_back(folder.file(c.chosen));
        dialogs.confirmAnswers.push_back(c.yes);
        Dispatch([] { Form1->kr_export->Click(); });
        ASSERT_FALSE(dialogs.boxes.empty()) << c.chosen;
        EXPECT_EQ(dialogs.boxes[0].icon, TMsgIcon::Question) << c.chosen;
        EXPECT_EQ(dialogs.boxes[0].text, QString(c.question).arg(folder.path())) << c.chosen;
        EXPECT_EQ(messages(), c.yes ? QStringList{"Export the Guest list finished."} : QStringList())
            << c.chosen;
        const QString target = QString(c.chosen).section('.', 0, 0) + ".gst";
        EXPECT_EQ(bytes(folder.file(target)), c.written) << c.chosen;
        EXPECT_FALSE(QFile::exists(folder.file("guests"))) << c.chosen;
        EXPECT_TRUE(Form1->search_box->Focused()) << c.chosen;
    }
}

// Another tool stored text that is no number as money: the card cannot follow the last row.
TEST_F(ExchangeTest, AnExportThatEndsOnUnconvertibleMoneyShowsTheErrorAndFinishes)
{
    start_with("INSERT INTO member (userid, name, money) VALUES (1, 'Ann', 100), (2, 'Bo', 'lots');");
    dialogs.boxes.clear();
    export_to(folder.file("list"));
    EXPECT_EQ(bytes(folder.file("list.gst")), "1\tAnn2\t3\t4\t5\t\r\n" + kBoLine);
    EXPECT_EQ(messages(),
              (QStringList{"'lots' is not a valid currency value.", "Export the Guest list finished."}));
    EXPECT_TRUE(Form1->search_box->Focused());
}

TEST_F(ExchangeTest, FailingExportShowsSystemMessageAndKeepsWrittenLines)
{
    start_with(kSeed);
    Form1->ADOQuery1->SetSort("userid ASC");
    // A file size limit just above the first line stands in for a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const rlimit small{rlim_t(kAnnLine.size() + 4), old.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    export_to(folder.file("full"));
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(bytes(folder.file("full.gst")), kAnnLine);

    export_to(folder.file("missing/list"));
    const QStringList shown = messages();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown[0].contains("File too large")) << shown[0].toStdString();
    EXPECT_TRUE(shown[1].contains("No such file or directory")) << shown[1].toStdString();
    for (const RecordedBox& b : dialogs.boxes)
        EXPECT_NE(b.icon, TMsgIcon::Information);
}
