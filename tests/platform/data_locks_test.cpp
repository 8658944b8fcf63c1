// A connection whose locks another descriptor of the file dropped takes them again before it writes,
// so that another user of the file never removes the log it writes into.
#include "data_fixture.h"
#include "system/held_locks.h"

#include <QFile>
#include <QProcess>

namespace {

// Runs the engine's shell on the file, as another user of it; its output.
QString Shell(const TempDatabase& db, const QString& command)
{
    QProcess p;
    p.setWorkingDirectory(db.dir());
    p.start("sqlite3", {"control.orac", command});
    p.waitForFinished(10000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

} // namespace

TEST_F(DataTest, LocksThatAnotherDescriptorDroppedAreTakenAgainBeforeTheNextWrite)
{
    open("SELECT * FROM member ORDER BY userid");
    const QByteArray file = QFile::encodeName(db.file());
    ASSERT_EQ(ProcessHoldsLocks({file, file + "-shm"}), true);
    // Reading the file, as a file dialog telling its type did: closing drops every lock on it.
    {
        QFile sniff(db.file());
        ASSERT_TRUE(sniff.open(QIODevice::ReadOnly));
        sniff.read(16);
    }
    ASSERT_EQ(ProcessHoldsLocks({file, file + "-shm"}), false);

    for (const char* name : {"Ann", "Bo"}) {
        q.Insert();
        q.FieldByName("userid")->SetAsInteger(q.RecordCount());
        q.FieldByName("name")->SetAsString(name);
        q.Post();
        EXPECT_EQ(ProcessHoldsLocks({file, file + "-shm"}), true) << name;
        // Another user leaves the log and the shared memory where they are.
        Shell(db, ".backup copy.orac");
        EXPECT_TRUE(QFile::exists(db.file() + "-wal") && QFile::exists(db.file() + "-shm")) << name;
    }
    EXPECT_EQ(Shell(db, "SELECT group_concat(name) FROM member"), "Ann,Bo");
}
