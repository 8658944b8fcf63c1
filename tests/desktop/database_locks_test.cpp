// The program keeps its database locks while file dialogs list its folder, so that no other user of
// the file (a refused second start, a live backup) takes itself for the last one and removes the log
// that the program still writes.
#include "desktop/desktop_fixture.h"

#include <sys/stat.h>

namespace {

class DatabaseLocks : public Desktop {
protected:
    // The program's lines of /proc/locks on the database and its shared memory file.
    QStringList locks() const
    {
        QFile proc("/proc/locks");
        if (!proc.open(QIODevice::ReadOnly))
            return {};
        const QStringList lines = QString::fromLatin1(proc.readAll()).split('\n');
        const QString pid = " " + QString::number(krv.processId()) + " ";
        QStringList held;
        for (const char* name : {"control.orac", "control.orac-shm"}) {
            struct stat st {};
            if (::stat(QFile::encodeName(folder.file(name)).constData(), &st) != 0)
                continue;
            const QString inode = ":" + QString::number(st.st_ino) + " ";
            for (const QString& line : lines)
                if (line.contains(pid) && line.contains(inode))
                    held << name + QString(": ") + line.simplified();
        }
        return held;
    }
    bool holdsItsLocks() const
    {
        const QStringList held = locks();
        return held.filter(QRegularExpression("^control.orac: ")).size() > 0 &&
               held.filter(QRegularExpression("^control.orac-shm: ")).size() > 0;
    }
    // What another user of the file reads.
    QString names() const
    {
        QProcess p;
        p.setWorkingDirectory(folder.path());
        p.start("sqlite3", {"control.orac", "SELECT group_concat(name) FROM member"});
        p.waitForFinished(10000);
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    }
    bool logAndSharedMemoryThere() const
    {
        return QFile::exists(folder.file("control.orac-wal")) &&
               QFile::exists(folder.file("control.orac-shm"));
    }
    // File menu entry n (from 0), its dialog shown over the program folder and cancelled.
    void showAndCancelFileDialog(int entry, const QString& title)
    {
        key("alt+f");
        ASSERT_TRUE(wait_until([&] { return !menu().isEmpty(); }));
        key(QStringList(entry, "Down").join(' ') + " Return");
        const QString dialog = waitForWindow(title);
        ASSERT_FALSE(dialog.isEmpty()) << "no dialog " << title.toStdString();
        x("xdotool", {"windowactivate", "--sync", dialog});
        key("Escape");
        ASSERT_TRUE(wait_until([&] { return window(title).isEmpty(); }));
    }
    void addGuest(const QString& name)
    {
        key("ctrl+n");
        const QString dialog = waitForWindow("New");
        ASSERT_FALSE(dialog.isEmpty());
        x("xdotool", {"windowactivate", "--sync", dialog});
        x("xdotool", {"type", name});
        key("Return");
        ASSERT_TRUE(wait_until([&] { return names().endsWith(name); }))
            << "another reader does not see " << name.toStdString();
    }
};

TEST_F(DatabaseLocks, FileDialogsLeaveTheLocksAndNoOtherUserRemovesTheLog)
{
    ASSERT_TRUE(wait_until([&] { return holdsItsLocks(); })) << locks().join('\n').toStdString();

    // The import dialog opens on an empty register, the export dialog once it holds a guest.
    showAndCancelFileDialog(3, "Open");
    EXPECT_TRUE(holdsItsLocks()) << "after the open dialog: " << locks().join('\n').toStdString();
    addGuest("Ann");
    showAndCancelFileDialog(4, "Save As");
    EXPECT_TRUE(holdsItsLocks()) << "after the save dialog: " << locks().join('\n').toStdString();

    QProcess second;
    start(second);
    ASSERT_TRUE(second.waitForFinished(15000)) << "the refused start keeps running";
    EXPECT_TRUE(logAndSharedMemoryThere()) << "after a refused start";
    QProcess backup;
    backup.setWorkingDirectory(folder.path());
    backup.start("sqlite3", {"control.orac", ".backup copy.orac"});
    ASSERT_TRUE(backup.waitForFinished(10000));
    EXPECT_TRUE(logAndSharedMemoryThere()) << "after a live backup";

    addGuest("Bo");
    ::kill(static_cast<pid_t>(krv.processId()), SIGKILL);
    krv.waitForFinished(5000);
    EXPECT_EQ(names(), "Ann,Bo");
}

} // namespace
