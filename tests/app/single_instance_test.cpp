// One running copy per executable path, across real processes, also after a crash.
#include "app/CheckPrevious.h"
#include "support/program_fixture.h"
#include "support/wait.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtEndian>
#include <csignal>
#include <cstring>
#include <functional>
#include <sys/stat.h>

namespace {

// A program folder with its own copy of the executable; the user's runtime folder is the test's own.
class Installation {
public:
    explicit Installation(const QString& runtime) : runtime_(runtime) { folder.install_program(); }
    QString exe() const { return folder.file("KRV"); }
    QString record() const { return runtime_ + "/" + InstanceRecordName(QFile::encodeName(exe())); }
    int instance_count() const
    {
        QFile f(record());
        if (!f.open(QIODevice::ReadOnly))
            return -1;
        const QByteArray b = f.readAll();
        return b.size() < 8 ? -1 : qFromLittleEndian<qint32>(b.constData() + 4);
    }
    // In the program folder, or in another current directory (whose database it then opens).
    std::unique_ptr<QProcess> start(const QString& cwd = {}) const
    {
        auto p = std::make_unique<QProcess>();
        p->setWorkingDirectory(cwd.isEmpty() ? folder.path() : cwd);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", runtime_);
        p->setProcessEnvironment(env);
        p->start(exe(), {});
        p->waitForStarted();
        return p;
    }
    // A killed holder's lock on the record goes with its mapping of it, and the kernel may tear the
    // mapping down after it has reported the exit.
    bool wait_for_no_lock() const
    {
        struct stat st {};
        if (stat(QFile::encodeName(record()).constData(), &st) != 0)
            return true;
        const QByteArray inode = ":" + QByteArray::number(qulonglong(st.st_ino)) + " ";
        return wait_until([&] {
            QFile locks("/proc/locks");
            return locks.open(QIODevice::ReadOnly) && !locks.readAll().contains(inode);
        });
    }
    bool wait_for_count(int n) const
    {
        return wait_until([&] { return instance_count() == n; }, 15000);
    }
    // The start is admitted: it holds the slot, so a further start is refused and ends by itself
    // while the first keeps running.
    bool admitted(QProcess& p) const
    {
        // Once p has the record mapped it has made its choice, under the guard that the probe waits for.
        QFile maps(QString("/proc/%1/maps").arg(p.processId()));
        if (!wait_until(
                [&] {
                    maps.close();
                    return maps.open(QIODevice::ReadOnly) &&
                           maps.readAll().contains(QFile::encodeName(record()));
                },
                15000))
            return false;
        auto probe = start();
        return probe->waitForFinished(15000) && p.state() == QProcess::Running;
    }

private:
    ProgramFolder folder;
    QString runtime_;
};

void stop(QProcess& p)
{
    p.kill();
    p.waitForFinished(5000);
}

class SingleInstance : public ::testing::Test {
protected:
    SingleInstance() { chmod(QFile::encodeName(runtime.path()).constData(), 0700); }
    QStringList records() const { return QDir(runtime.path()).entryList(QDir::Files | QDir::Hidden); }
    QTemporaryDir runtime;
};

TEST_F(SingleInstance, ASecondStartOfTheSamePathIsRefusedAndEndsByItself)
{
    Installation here(runtime.path());
    auto first = here.start();
    ASSERT_TRUE(here.wait_for_count(1));
    auto second = here.start();
    ASSERT_TRUE(second->waitForFinished(15000)) << "the refused start keeps running";
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(here.instance_count(), 1);
    EXPECT_EQ(first->state(), QProcess::Running);

    // A copy in another folder has a record of its own and runs beside it.
    Installation elsewhere(runtime.path());
    auto other = elsewhere.start();
    EXPECT_TRUE(elsewhere.wait_for_count(1));
    EXPECT_TRUE(elsewhere.admitted(*other));
    stop(*other);
    stop(*first);
}

// Ctrl+C in a terminal, the end of the session and a kill all end it as its exit does.
TEST_F(SingleInstance, EveryRequestToEndGivesTheRecordBack)
{
    Installation here(runtime.path());
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(strsignal(sig));
        auto p = here.start();
        ASSERT_TRUE(here.wait_for_count(1));
        ::kill(static_cast<pid_t>(p->processId()), sig);
        ASSERT_TRUE(p->waitForFinished(10000));
        EXPECT_EQ(p->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(records(), QStringList()) << "an ended instance left its record";
    }
}

TEST_F(SingleInstance, TheNextStartIsAdmittedAfterAnExitOrAKillAndTheLastExitRemovesTheRecord)
{
    Installation here(runtime.path());
    auto first = here.start();
    ASSERT_TRUE(here.wait_for_count(1));
    ::kill(static_cast<pid_t>(first->processId()), SIGTERM);
    first->waitForFinished(10000);

    auto second = here.start();
    EXPECT_TRUE(here.admitted(*second)) << "a start after the first ended was refused";
    ::kill(static_cast<pid_t>(second->processId()), SIGKILL);
    second->waitForFinished(5000);
    ASSERT_TRUE(here.wait_for_no_lock()) << "the killed instance's lock outlived it";

    // The killed instance left its count behind; the next start is admitted all the same.
    auto third = here.start();
    EXPECT_TRUE(here.admitted(*third)) << "a start after a crash was refused";
    EXPECT_EQ(here.instance_count(), 1);
    ::kill(static_cast<pid_t>(third->processId()), SIGTERM);
    third->waitForFinished(10000);
    EXPECT_EQ(records(), QStringList());
}

TEST_F(SingleInstance, ARefusedStartLeavesTheDatabaseItsLogAndItsSharedMemoryAsItFoundThem)
{
    Installation here(runtime.path());
    auto first = here.start();
    ASSERT_TRUE(here.wait_for_count(1));
    // A register whose writer was killed with posts in its log: the refused start would be its
    // only user.
    ProgramFolder elsewhere;
    QProcess writer;
    writer.setWorkingDirectory(elsewhere.path());
    writer.start(DATA_POSTER, {});
    QByteArray posted;
    ASSERT_TRUE(wait_until([&] {
        writer.waitForReadyRead(100);
        posted += writer.readAll();
        return posted.contains("\n3\n");
    }));
    writer.kill();
    writer.waitForFinished(5000);
    const auto files = [&] {
        QStringList out;
        for (const char* name : {"control.orac", "control.orac-wal", "control.orac-shm"}) {
            QFile f(elsewhere.file(name));
            out << name + QString(f.open(QIODevice::ReadOnly) ? " " + f.readAll().toHex() : " missing");
        }
        return out;
    };
    const QStringList before = files();
    ASSERT_FALSE(before.join(' ').contains("missing"));

    auto second = here.start(elsewhere.path());
    ASSERT_TRUE(second->waitForFinished(15000)) << "the refused start keeps running";
    EXPECT_TRUE(files() == before) << "the refused start changed the database's files";
    stop(*first);
}

} // namespace
