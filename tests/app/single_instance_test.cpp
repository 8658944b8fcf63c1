// One running copy per executable path, across real processes, also after a crash.
#include "support/program_fixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <QtEndian>
#include <csignal>

namespace {

// A program folder with its own copy of the executable.
class Installation {
public:
    Installation()
    {
        QFile::copy(KRV_EXE, folder.file("KRV"));
        QFile(folder.file("KRV")).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString exe() const { return folder.file("KRV"); }
    // The shared record of this path: the full path without its "/".
    QString record() const { return "/dev/shm/" + QString(exe()).remove('/'); }
    int instance_count() const
    {
        QFile f(record());
        if (!f.open(QIODevice::ReadOnly))
            return -1;
        const QByteArray b = f.readAll();
        if (b.size() < 8)
            return -1;
        return qFromLittleEndian<qint32>(b.constData() + 4);
    }
    std::unique_ptr<QProcess> start() const
    {
        auto p = std::make_unique<QProcess>();
        p->setWorkingDirectory(folder.path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        p->setProcessEnvironment(env);
        p->start(exe(), {});
        p->waitForStarted();
        return p;
    }
    bool wait_for_count(int n, int ms = 15000) const
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            if (instance_count() == n)
                return true;
            QThread::msleep(20);
        }
        return false;
    }
    ~Installation()
    {
        for (const char* suffix : {"", ".guard", ".slot"})
            QFile::remove(record() + suffix);
    }

private:
    ProgramFolder folder;
};

void stop(QProcess& p)
{
    p.kill();
    p.waitForFinished(5000);
}

TEST(SingleInstance, ASecondStartOfTheSamePathIsRefusedAndEndsByItself)
{
    Installation here;
    auto first = here.start();
    ASSERT_TRUE(here.wait_for_count(1));
    auto second = here.start();
    ASSERT_TRUE(second->waitForFinished(15000)) << "the refused start keeps running";
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(here.instance_count(), 1);
    EXPECT_EQ(first->state(), QProcess::Running);

    // A copy in another folder has a record of its own and runs beside it.
    Installation elsewhere;
    auto other = elsewhere.start();
    EXPECT_TRUE(elsewhere.wait_for_count(1));
    EXPECT_FALSE(other->waitForFinished(1500));
    stop(*other);
    stop(*first);
}

TEST(SingleInstance, TheNextStartIsAdmittedAfterAnExitOrAKill)
{
    Installation here;
    auto first = here.start();
    ASSERT_TRUE(here.wait_for_count(1));
    ::kill(static_cast<pid_t>(first->processId()), SIGTERM);
    first->waitForFinished(10000);

    auto second = here.start();
    ASSERT_FALSE(second->waitForFinished(2500)) << "a start after the first ended was refused";
    ::kill(static_cast<pid_t>(second->processId()), SIGKILL);
    second->waitForFinished(5000);

    // The killed instance left its count behind; the next start is admitted all the same.
    auto third = here.start();
    EXPECT_FALSE(third->waitForFinished(2500)) << "a start after a crash was refused";
    EXPECT_TRUE(here.wait_for_count(1));
    stop(*third);
}

} // namespace
