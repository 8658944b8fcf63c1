// The single-instance guard across real processes: each child is this test program, linked into a
// folder of the test's own (its path names the record) and re-run on CheckPreviousChild.Run alone.
#include "app/CheckPrevious.h"
#include "system/sysutils.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <cstdio>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

constexpr char kWindow[] = "KRV_CHECK_PREVIOUS_WINDOW";
constexpr char kMax[] = "KRV_CHECK_PREVIOUS_MAX";

// In a child: ask for a slot, report, hold it until the parent closes our input, give it back.
TEST(CheckPreviousChild, Run)
{
    if (!qEnvironmentVariableIsSet(kWindow))
        GTEST_SKIP() << "runs only as a child of the tests below";
    static int argc = 1;
    static char name[] = "child";
    static char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    try {
        const bool refused = CheckPreviousInstance(qEnvironmentVariable(kWindow).toUInt(),
                                                   qEnvironmentVariable(kMax, "1").toInt());
        std::printf("child: refused=%d\n", refused ? 1 : 0);
    } catch (const Exception& e) {
        std::printf("child: error=%s\n", qPrintable(QString(e.Message()).replace('\n', "|")));
    }
    std::fflush(stdout);
    std::string rest;
    std::getline(std::cin, rest);
    ReleaseInstanceSlot();
}

// A path of its own for this program, so that tests running side by side share no record.
class Installation {
public:
    explicit Installation(const QString& subfolder = "bin")
        : folder_(QFileInfo(SelfPath()).absolutePath() + "/check-previous-XXXXXX")
    {
        QDir().mkpath(folder_.filePath(subfolder));
        exe_ = folder_.filePath(subfolder) + "/tests_app";
        if (link(QFile::encodeName(SelfPath()).constData(), QFile::encodeName(exe_).constData()) != 0)
            QFile::copy(SelfPath(), exe_);
    }
    ~Installation()
    {
        for (const char* suffix : {"", ".slot", ".guard"})
            QFile::remove(record() + suffix);
    }
    QString mapping_name() const { return QString(exe_).remove('/'); }
    QString record() const { return "/dev/shm/" + mapping_name(); }
    // instance_count, or -1 while there is no record.
    int count() const { return Field(4); }
    int window() const { return Field(0); }

    struct Child {
        std::unique_ptr<QProcess> process;
        QString report; // the child's "child: ..." line
    };
    // Starts a child and waits for its report.
    Child start(std::uint32_t window, int max_instances = 1) const
    {
        Child c = launch(window, max_instances);
        await(c);
        return c;
    }
    Child launch(std::uint32_t window, int max_instances = 1) const
    {
        Child c{std::make_unique<QProcess>(), {}};
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY"); // keep the refused start's raise away from any real desktop
        env.insert(kWindow, QString::number(window));
        env.insert(kMax, QString::number(max_instances));
        c.process->setProcessEnvironment(env);
        c.process->start(exe_, {"--gtest_filter=CheckPreviousChild.Run"});
        return c;
    }
    static void await(Child& c)
    {
        while (c.report.isEmpty() && (c.process->canReadLine() || c.process->waitForReadyRead(10000))) {
            const QString line = QString::fromLocal8Bit(c.process->readLine()).trimmed();
            if (line.startsWith("child: "))
                c.report = line.mid(7);
        }
    }
    // Lets the child give its slot back and end normally.
    static void finish(Child& c)
    {
        c.process->closeWriteChannel();
        c.process->waitForFinished(10000);
    }

private:
    static QString SelfPath() { return QFileInfo("/proc/self/exe").canonicalFilePath(); }
    int Field(int offset) const
    {
        QFile f(record());
        if (!f.open(QIODevice::ReadOnly))
            return -1;
        const QByteArray b = f.read(8);
        return b.size() == 8 ? qFromLittleEndian<qint32>(b.constData() + offset) : -1;
    }

    QTemporaryDir folder_;
    QString exe_;
};

TEST(CheckPrevious, ARefusedStartLeavesTheHoldersRecordAndALaterStartTakesTheFreedSlot)
{
    Installation here;
    auto first = here.start(1001);
    ASSERT_EQ(first.report, "refused=0");
    EXPECT_EQ(here.count(), 1);
    EXPECT_EQ(here.window(), 1001);

    auto second = here.start(1002);
    EXPECT_EQ(second.report, "refused=1");
    Installation::finish(second);
    EXPECT_EQ(here.count(), 1) << "a refused start must neither take nor give back a slot";
    EXPECT_EQ(here.window(), 1001);

    Installation::finish(first);
    EXPECT_EQ(here.count(), 0);
    auto third = here.start(1003);
    EXPECT_EQ(third.report, "refused=0");
    EXPECT_EQ(here.window(), 1003);
    third.process->kill();
    third.process->waitForFinished(10000);

    // The killed holder's count is still in the record; its lock went with it.
    EXPECT_EQ(here.count(), 1);
    auto fourth = here.start(1004);
    EXPECT_EQ(fourth.report, "refused=0");
    EXPECT_EQ(here.count(), 1);
    Installation::finish(fourth);
}

TEST(CheckPrevious, StartsAtTheSameMomentAdmitExactlyAsManyAsAllowed)
{
    for (const int allowed : {1, 2}) {
        Installation here;
        std::vector<Installation::Child> starts;
        for (int i = 0; i < 8; ++i)
            starts.push_back(here.launch(2000 + i, allowed));
        int admitted = 0;
        for (auto& c : starts) {
            Installation::await(c);
            ASSERT_TRUE(c.report == "refused=0" || c.report == "refused=1") << c.report.toStdString();
            admitted += c.report == "refused=0";
        }
        EXPECT_EQ(admitted, allowed);
        EXPECT_EQ(here.count(), allowed);
        for (auto& c : starts)
            Installation::finish(c);
        EXPECT_EQ(here.count(), 0);
    }
}

TEST(CheckPrevious, ARecordThatCannotBeCreatedRaisesTheSystemError)
{
    // The record's name is the whole path without its "/": past 255 characters no file may bear it.
    Installation here(QString(130, 'a') + "/" + QString(130, 'b'));
    auto start = here.start(3000);
    EXPECT_EQ(start.report, "error=System Error.  Code: 36.|File name too long");
    Installation::finish(start);
    EXPECT_EQ(start.process->exitCode(), 0);
}

} // namespace
