// Import: refusal, failures, the refused row, a round trip, and a kill part-way.
#include "exchange/exchange_fixture.h"
#include "support/temp_database.h"
#include "system/held_locks.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

void write_file(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST_F(ExchangeTest, ImportRefusedWhileRegisterHoldsAGuest)
{
    start_with("INSERT INTO member (userid, name) VALUES (5, 'Ann');");
    import_from(QString(KRV_SOURCE_DIR) + "/tests/exchange/files/crlf.gst");
    EXPECT_EQ(dialogs.texts(),
              QStringList{"You have already the name list in the system.\rIf you would like to "
                          "Add new Data,\rPlease Select the \"Add New Data\" from the Main Menu."});
    EXPECT_EQ(dialogs.openRuns, 0);
    EXPECT_EQ(guests(), QStringList{"5|Ann|||"});
}

TEST_F(ExchangeTest, ImportOfMissingFileStoresNothing)
{
    start_with("");
    import_from(folder.file("missing.gst"));
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].icon, TMsgIcon::Error);
    EXPECT_TRUE(dialogs.boxes[0].text.contains("No such file or directory"));
    EXPECT_TRUE(guests().isEmpty());
}

TEST_F(ExchangeTest, FileThatIsNotAGuestListIsRefusedStoringNothing)
{
    const QByteArray ann = "1\tAnn2\tLee3\t4\t5\t\r\n";
    const struct {
        QByteArray bytes;
        QString why;
    } cases[] = {
        {ann + QByteArray("\x7f"
                          "ELF\x02\x01\x01\0\0\0\r\n",
                          12),
         "Line 2 holds characters that are not text."},
        {"1\tAnn\x81\x82\r\n" + ann, "Line 1 holds characters that are not text."},
        {ann + ann + "1\t" + QByteArray(1001, 'x') + "2\t3\t4\t5\t",
         "Line 3 holds a text longer than 1000 characters."},
        {QByteArray(1001, 'x'), "Line 1 holds a text longer than 1000 characters."},
    };
    start_with("");
    for (const auto& c : cases) {
        dialogs.boxes.clear();
        write_file(folder.file("list.gst"), c.bytes);
        import_from(folder.file("list.gst"));
        ASSERT_EQ(dialogs.boxes.size(), 1u) << c.why.toStdString();
        EXPECT_EQ(dialogs.boxes[0].icon, TMsgIcon::Error);
        EXPECT_EQ(dialogs.boxes[0].text,
                  "The file \"" + folder.file("list.gst") + "\" is not a Guest list.\r" + c.why);
        EXPECT_TRUE(guests().isEmpty());
        EXPECT_EQ(Form1->ADOQuery1->RecordCount(), 0);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
}

// What the grid and the card see of the cursor when they hear from the guest query.
TEST_F(ExchangeTest, BusyCursorWhileImportOrExportRuns)
{
    start_with("");
    std::vector<int> heard;
    const int listener = Form1->DataSource1->AddListener([&](TDataEvent, TField*) {
        const QCursor* c = QApplication::overrideCursor();
        heard.push_back(c ? c->shape() : -1);
    });
    import_from(QString(KRV_SOURCE_DIR) + "/tests/exchange/files/crlf.gst");
    export_to(folder.file("out.gst"));
    Form1->DataSource1->RemoveListener(listener);
    EXPECT_EQ(messages(), (QStringList{"Import Guest list Completed.", "Export the Guest list finished."}));
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ(heard, std::vector<int>(heard.size(), Qt::WaitCursor));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ExchangeTest, FieldLimitCountsCharacters)
{
    start_with("");
    const QString emoji = QString("😀").repeated(1000);
    write_file(folder.file("list.gst"),
               "1\t" + QByteArray(1000, 'x') + "2\t" + emoji.toUtf8() + "3\t4\t5\t\r\n");
    import_from(folder.file("list.gst"));
    EXPECT_EQ(dialogs.texts(), QStringList{"Import Guest list Completed."});
    EXPECT_EQ(guests(), QStringList{"1|" + QString(1000, 'x') + "|" + emoji + "||"});
}

// Reading the database as a guest list would drop the engine's locks when the file closes.
TEST_F(ExchangeTest, ImportOfTheDatabaseItselfIsRefusedAndItsLocksStay)
{
    start_with("");
    const QByteArray db = QFile::encodeName(folder.file("control.orac"));
    ASSERT_EQ(ProcessHoldsLocks({db, db + "-shm"}), true);
    import_from(folder.file("control.orac"));
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].icon, TMsgIcon::Error);
    EXPECT_TRUE(dialogs.boxes[0].text.contains("Device or resource busy"))
        << dialogs.boxes[0].text.toStdString();
    EXPECT_EQ(ProcessHoldsLocks({db, db + "-shm"}), true);
    EXPECT_TRUE(guests().isEmpty());
}

TEST_F(ExchangeTest, RefusedRowEndsImportKeepingRowsBeforeIt)
{
    folder.sql("CREATE TRIGGER refuse BEFORE INSERT ON member WHEN NEW.name = 'Refused'"
               " BEGIN SELECT RAISE(ABORT, 'name refused'); END;");
    start_with("");
    write_file(folder.file("list.gst"),
               "1\tAnn2\t3\t4\t5\t\r\n1\tRefused2\t3\t4\t5\t\r\n1\tBo2\t3\t4\t5\t\r\n");
    import_from(folder.file("list.gst"));
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].icon, TMsgIcon::Error);
    EXPECT_TRUE(dialogs.boxes[0].text.contains("name refused"));
    EXPECT_FALSE(Form1->ADOConnection1->InTransaction());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(Form1->ADOQuery1->State(), dsBrowse);
    EXPECT_EQ(listed(), QStringList{"Ann "});
    // A second connection sees only what was committed.
    TADOConnection other("other");
    other.SetConnectionString(kConnectionString);
    TADOQuery stored("stored");
    stored.SetConnection(&other);
    stored.SetSQL("SELECT group_concat(userid || name) AS g FROM member");
    stored.Open();
    EXPECT_EQ(stored.FieldByName("g")->AsString(), "1Ann");
}

TEST_F(ExchangeTest, ImportOnAFullDiskListsNothingAndCanRunAgain)
{
    start_with("");
    QByteArray file;
    for (int i = 1; i <= 2000; ++i)
        file += QString("1\tGuest %1\t2\tLee3\t4\t5\t\r\n").arg(i).toUtf8();
    write_file(folder.file("big.gst"), file);
    // No page more than the file has now.
    Form1->ADOConnection1->Execute("PRAGMA max_page_count = 1");
    import_from(folder.file("big.gst"));
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].icon, TMsgIcon::Error);
    EXPECT_EQ(dialogs.boxes[0].text, "database or disk is full.");
    EXPECT_TRUE(guests().isEmpty());
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_EQ(Form1->Label12->Caption(), "0");
    EXPECT_EQ(Form1->Label1->Caption(), " ");

    Form1->ADOConnection1->Execute("PRAGMA max_page_count = 1000000");
    dialogs.boxes.clear();
    import_from(folder.file("big.gst"));
    EXPECT_EQ(dialogs.texts(), QStringList{"Import Guest list Completed."});
    EXPECT_EQ(guests().size(), 2000);
    EXPECT_EQ(listed().size(), 2000);
    EXPECT_EQ(Form1->Label12->Caption(), "2000");
}

TEST_F(ExchangeTest, ExportThenImportGivesSameTextsInExportedOrder)
{
    start_with("INSERT INTO mb_group VALUES (1, 'Family');"
               "INSERT INTO member (userid, name, lastname, other_txt, note, email, money, group_id) VALUES"
               " (3, 'สมชาย', 'ใจดี', 'โต๊ะ 3', 'n', 'somchai@example.org', 500, 1),"
               " (7, 'José', 'Müller', 'Café', NULL, NULL, NULL, 0),"
               " (9, 'Ольга', 'Иванова', 'Table 4', 'x', 'olga@example.org', 20, 1);");
    Form1->ADOQuery1->SetSort("name DESC");
    const QStringList exported = listed();
    export_to(folder.file("all"));
    folder.sql("DELETE FROM member;");
    Dispatch([] { Form1->list_allClick(nullptr); });
    dialogs.boxes.clear();

    import_from(folder.file("all.gst"));
    EXPECT_EQ(dialogs.texts(), QStringList{"Import Guest list Completed."});
    EXPECT_EQ(guests(), (QStringList{"1|สมชาย|ใจดี|โต๊ะ 3|somchai@example.org",
                                     "2|Ольга|Иванова|Table 4|olga@example.org", "3|José|Müller|Café|"}));
    EXPECT_EQ(rows("SELECT DISTINCT quote(note) || quote(money) || group_id FROM member"),
              QStringList{"NULLNULL0"});
    EXPECT_EQ(listed(), exported);
    EXPECT_EQ(Form1->ADOQuery1->RecNo(), 1);
    EXPECT_EQ(Form1->Label1->Caption(), "สมชาย ใจดี");
    EXPECT_EQ(Form1->Label12->Caption(), "3");
}

TEST(ImportKill, KilledImportLeavesRegisterEmpty)
{
    TempDatabase db;
    QByteArray file;
    for (int i = 1; i <= 10000; ++i)
        file += QString("1\tGuest %1\t2\tLee3\t4\t5\t\r\n").arg(i).toUtf8();
    write_file(db.dir() + "/big.gst", file);
    // The killed program's single-instance record goes with the test.
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    for (const int kill_at : {1, 5000, 10000}) {
        QProcess importer;
        importer.setProcessEnvironment(env);
        importer.setWorkingDirectory(db.dir());
        importer.start(GST_IMPORTER, {db.dir() + "/big.gst", QString::number(kill_at)});
        ASSERT_TRUE(importer.waitForFinished(60000));
        EXPECT_EQ(importer.exitStatus(), QProcess::CrashExit)
            << importer.readAllStandardError().toStdString();
        EXPECT_EQ(importer.readAllStandardOutput().trimmed().toInt(), kill_at);
        EXPECT_EQ(db.scalar("PRAGMA integrity_check"), "ok");
        EXPECT_EQ(db.scalar("SELECT count(*) FROM member"), "0") << "killed after row " << kill_at;
    }
}
