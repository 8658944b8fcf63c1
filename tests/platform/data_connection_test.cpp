// Opening the database file: where it is looked for, what a bad file gives, how it is set up.
#include "data_fixture.h"

#include "support/other_user.h"
#include "support/small_file_system.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

// Missing, empty or foreign: the engine's message naming the file, and the file as it was.
TEST(DataConnection, AFileThatIsNoDatabaseIsReportedByNameAndNeverChanged)
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const QString file = dir.filePath("control.orac");
    const struct {
        const char* content; // nullptr: no file
        const char* message;
    } cases[] = {{nullptr, "unable to open database file"},
                 {"", "file is not a database"},
                 {"x", "file is not a database"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        QFile::remove(file);
        const QByteArray content = c.content ? QByteArray(c.content).repeated(4096) : QByteArray();
        if (c.content) {
            QFile f(file);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        TADOConnection conn("ADOConnection1");
        conn.SetConnectionString(kConnectionString);
        EXPECT_EQ(FailureOf([&] { conn.Open(); }), file + ": " + c.message);
        EXPECT_FALSE(conn.Connected());
        // Every later action fails the same way.
        TADOQuery q("ADOQuery1");
        q.SetConnection(&conn);
        q.SetSQL("SELECT * FROM member ORDER BY userid");
        EXPECT_EQ(FailureOf([&] { q.Open(); }), file + ": " + c.message);
        EXPECT_FALSE(q.Active());

        QFile after(file);
        EXPECT_EQ(after.exists(), c.content != nullptr) << "a missing file was created";
        if (c.content && after.open(QIODevice::ReadOnly)) {
            EXPECT_EQ(after.readAll(), content) << "the file was changed";
        }
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), c.content ? 1 : 0);
    }
    QDir::setCurrent(previous);
}

// A database that the user may read but not write shows its guests; a change fails with the
// engine's message. As another user, since root writes whatever the modes say.
TEST(DataConnection, AReadOnlyDatabaseOpensAndRefusesChanges)
{
    if (const QString why = other_user_unavailable(); !why.isEmpty())
        GTEST_SKIP() << why.toStdString();
    struct Case {
        const char* name;
        QFile::Permissions file, folder;
    } cases[] = {
        {"read-only file", QFile::ReadOwner | QFile::ReadOther,
         QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::WriteOther |
             QFile::ExeOther},
        {"folder not writable", QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther | QFile::WriteOther,
         QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDatabase db(kGuests);
        QFile::setPermissions(db.file(), c.file);
        QFile::setPermissions(db.dir(), c.folder);
        const QByteArray before = [&] {
            QFile f(db.file());
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        QProcess poster;
        poster.setWorkingDirectory(db.dir());
        start_as_other_user(poster, DATA_POSTER, {"1"});
        ASSERT_TRUE(poster.waitForFinished(10000));
        const QStringList lines =
            QString::fromUtf8(poster.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        EXPECT_EQ(lines, QStringList({"open 4", "failed: attempt to write a readonly database"}))
            << poster.readAllStandardError().toStdString();
        QFile after(db.file());
        ASSERT_TRUE(after.open(QIODevice::ReadOnly));
        EXPECT_EQ(after.readAll(), before);
        // Nothing of the view stays behind to keep the owner from writing.
        EXPECT_EQ(QDir(db.dir()).entryList(QDir::Files | QDir::Hidden).join(" ").toStdString(),
                  "control.orac");
    }
}

// Changes still waiting in the log of a database whose folder the user cannot write are never left
// out: the reader sees them or is told it cannot open the file, never the older guests alone.
TEST(DataConnection, AReaderOfAnUnwritableFolderNeverSeesAnOlderRegister)
{
    if (const QString why = other_user_unavailable(); !why.isEmpty())
        GTEST_SKIP() << why.toStdString();
    TempDatabase db(kGuests);
    QFile::setPermissions(db.file(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
    // The writer stays open, so its committed guest stays in the log.
    TADOConnection writer("writer");
    writer.SetConnectionString(kConnectionString);
    writer.Open();
    writer.Execute("INSERT INTO member (userid, name) VALUES (5, 'Eve')");
    // A shared-memory file that only its owner may use, as a crashed owner's can be.
    QFile::setPermissions(db.file() + "-shm", QFile::ReadOwner | QFile::WriteOwner);
    QFile::setPermissions(db.dir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                        QFile::ReadOther | QFile::ExeOther);
    QProcess poster;
    poster.setWorkingDirectory(db.dir());
    start_as_other_user(poster, DATA_POSTER, {"0"});
    ASSERT_TRUE(poster.waitForFinished(10000));
    const QString out = QString::fromUtf8(poster.readAllStandardOutput());
    EXPECT_FALSE(out.contains("open 4")) << out.toStdString();
    EXPECT_TRUE(out.startsWith("open 5") || out.contains("control.orac")) << out.toStdString();
}

// Starts at the same moment on a fresh database wait for each other's locks instead of failing.
TEST(DataConnection, ProcessesOpeningAtTheSameMomentAllGetIn)
{
    for (int round = 0; round < 30; ++round) {
        TempDatabase db;
        std::vector<std::unique_ptr<QProcess>> starts;
        for (int i = 0; i < 10; ++i) {
            starts.push_back(std::make_unique<QProcess>());
            starts.back()->setWorkingDirectory(db.dir());
            starts.back()->start(DATA_POSTER, {"0"});
        }
        for (auto& p : starts) {
            ASSERT_TRUE(p->waitForFinished(20000));
            EXPECT_EQ(QString::fromUtf8(p->readAllStandardOutput()).trimmed(), "open 0") << "round " << round;
        }
    }
}

// A database that could not be opened for want of space says so at every later action, in the words of
// that failure, and opens once there is room again.
TEST(DataConnection, AnOpenThatFailedOnAFullDiskIsWhatLaterActionsReport)
{
    SmallFileSystem small(256);
    if (!small.unavailable().isEmpty())
        GTEST_SKIP() << small.unavailable().toStdString();
    const QString previous = QDir::currentPath();
    {
        TempDatabase db(kGuests);
        ASSERT_TRUE(QFile::copy(db.file(), small.file("control.orac")));
    }
    QDir::setCurrent(small.path());
    small.fill();
    TADOConnection conn("ADOConnection1");
    conn.SetConnectionString(kConnectionString);
    const QString failure = FailureOf([&] { conn.Open(); });
    EXPECT_TRUE(failure.startsWith(small.file("control.orac") + ": ")) << failure.toStdString();
    TADOQuery q("ADOQuery1");
    q.SetConnection(&conn);
    q.SetSQL("SELECT * FROM member ORDER BY userid");
    const QString open_failure = FailureOf([&] { q.Open(); });
    EXPECT_EQ(open_failure.toStdString(), failure.toStdString());
    for (const auto& action :
         std::vector<std::function<void()>>{[&] { q.Insert(); }, [&] { q.Last(); }, [&] { q.Delete(); }})
        EXPECT_EQ(FailureOf(action).toStdString(), open_failure.toStdString());

    small.free_space();
    q.Open();
    EXPECT_EQ(q.RecordCount(), 4);
    q.Close();
    EXPECT_EQ(FailureOf([&] { q.Insert(); }), "ADOQuery1: Cannot perform this operation on a closed dataset");
    conn.Close();
    QDir::setCurrent(previous);
}

// A folder whose name is not UTF-8 is opened by its bytes, as the file system gives them.
TEST(DataConnection, AFolderWhoseNameIsNotUtf8OpensAsAnyOther)
{
    TempDatabase db(kGuests);
    const QByteArray folder = QFile::encodeName(db.dir()) + "/caf\xE9";
    ASSERT_EQ(mkdir(folder.constData(), 0755), 0);
    ASSERT_EQ(link(QFile::encodeName(db.file()).constData(), (folder + "/control.orac").constData()), 0);
    ASSERT_EQ(chdir(folder.constData()), 0);
    {
        TADOConnection conn("ADOConnection1");
        conn.SetConnectionString(kConnectionString);
        TADOQuery q("ADOQuery1");
        q.SetConnection(&conn);
        q.SetSQL("SELECT * FROM member ORDER BY userid");
        EXPECT_EQ(FailureOf([&] { q.Open(); }).toStdString(), "");
        EXPECT_EQ(q.RecordCount(), 4);
    }
    ASSERT_EQ(chdir(QFile::encodeName(db.dir()).constData()), 0);
    for (const char* name : {"/control.orac", "/control.orac-wal", "/control.orac-shm"})
        unlink((folder + name).constData());
    EXPECT_EQ(rmdir(folder.constData()), 0);
}

TEST(DataConnection, DataSourceIsResolvedAgainstTheCurrentDirectoryAtOpen)
{
    TempDatabase db("INSERT INTO mb_group VALUES (1, 'here');");
    QTemporaryDir elsewhere;
    QDir::setCurrent(elsewhere.path());
    TADOConnection conn("ADOConnection1");
    conn.SetConnectionString(kConnectionString); // set elsewhere, opened in the database's folder
    EXPECT_EQ(conn.ConnectionString(), kConnectionString);
    QDir::setCurrent(db.dir());
    conn.Open();
    EXPECT_TRUE(conn.Connected());
    TADOQuery q("cnn");
    q.SetConnection(&conn);
    q.SetSQL("SELECT group_name FROM mb_group");
    q.Open();
    EXPECT_EQ(q.FieldByName("group_name")->AsString(), "here");

    conn.Close();
    EXPECT_FALSE(q.Active()); // closing the connection closes its data sets
}

TEST_F(DataTest, EveryCommitIsDurable)
{
    open("PRAGMA journal_mode");
    EXPECT_EQ(q.Fields(0)->AsString(), "wal");
    open("PRAGMA synchronous");
    EXPECT_EQ(q.Fields(0)->AsInteger(), 2); // FULL

    // Another connection sees a post at once: nothing waits in a transaction.
    open("SELECT * FROM mb_group");
    q.Insert();
    q.FieldByName("group_id")->SetAsInteger(1);
    q.FieldByName("group_name")->SetAsString("Friends");
    q.Post();
    EXPECT_EQ(db.scalar("SELECT group_name FROM mb_group"), "Friends");
    EXPECT_EQ(db.scalar("SELECT report_show_id || kw_now FROM for_report_show"), "1-");
}
