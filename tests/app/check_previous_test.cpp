// The single-instance guard across real processes: each child is the instance_holder helper, linked
// into a folder of the test's own (its path names the record), with a runtime folder of the test's own.
#include "app/CheckPrevious.h"
#include "support/other_user.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

QTemporaryDir private_folder(unsigned owner = geteuid())
{
    QTemporaryDir d;
    chmod(QFile::encodeName(d.path()).constData(), 0700);
    if (owner != geteuid())
        give_to_other_user(d.path());
    return d;
}

struct Child {
    std::unique_ptr<QProcess> process;
    QString report; // the child's "child: ..." line
};

// A path of its own for the helper, so that tests running side by side share no record.
class Installation {
public:
    explicit Installation(const QString& program = "bin/KRV")
        : folder_(QFileInfo(INSTANCE_HOLDER).absolutePath() + "/check-previous-XXXXXX")
    {
        exe_ = also_at(program);
        env_ = QProcessEnvironment::systemEnvironment();
        env_.remove("DISPLAY"); // keep the refused start's raise away from any real desktop
        env_.insert("XDG_RUNTIME_DIR", runtime_.path());
    }
    QString exe() const { return exe_; }
    // The program at another path in the same folder.
    QString also_at(const QString& program) const
    {
        const QString path = folder_.filePath(program);
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (link(INSTANCE_HOLDER, QFile::encodeName(path).constData()) != 0)
            QFile::copy(INSTANCE_HOLDER, path);
        return path;
    }
    QString runtime() const { return runtime_.path(); }
    QString record() const { return runtime() + "/" + InstanceRecordName(QFile::encodeName(exe_)); }
    QStringList runtime_files() const { return QDir(runtime()).entryList(QDir::Files | QDir::Hidden); }
    QProcessEnvironment& env() { return env_; }
    // Lets other users reach the program (a shared installation).
    void share() const
    {
        for (QString d = exe_; d != QFileInfo(INSTANCE_HOLDER).absolutePath();) {
            d = QFileInfo(d).absolutePath();
            chmod(QFile::encodeName(d).constData(), 0755);
        }
    }
    // instance_count, or -1 while there is no record.
    int count() const { return Field(4); }
    int window() const { return Field(0); }

    // Starts a child and waits for its report.
    Child start(std::uint32_t window, int max_instances = 1, const QString& exe = {}) const
    {
        Child c = launch(window, max_instances, exe);
        await(c);
        return c;
    }
    Child launch(std::uint32_t window, int max_instances = 1, const QString& exe = {}) const
    {
        Child c{std::make_unique<QProcess>(), {}};
        c.process->setProcessEnvironment(env_);
        c.process->start(exe.isEmpty() ? exe_ : exe,
                         {QString::number(window), QString::number(max_instances)});
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
    int Field(int offset) const
    {
        QFile f(record());
        if (!f.open(QIODevice::ReadOnly))
            return -1;
        const QByteArray b = f.read(8);
        return b.size() == 8 ? qFromLittleEndian<qint32>(b.constData() + offset) : -1;
    }

    QTemporaryDir folder_;
    QTemporaryDir runtime_ = private_folder();
    QString exe_;
    QProcessEnvironment env_;
};

TEST(CheckPrevious, ARefusedStartLeavesTheHoldersRecordAndTheLastToEndRemovesIt)
{
    Installation here;
    auto first = here.start(1001);
    ASSERT_EQ(first.report, "refused=0");
    EXPECT_EQ(here.count(), 1);
    EXPECT_EQ(here.window(), 1001);
    EXPECT_EQ(QFileInfo(here.record()).permissions() & (QFile::ReadOther | QFile::WriteOther), 0);

    auto second = here.start(1002);
    EXPECT_EQ(second.report, "refused=1");
    Installation::finish(second);
    EXPECT_EQ(here.count(), 1) << "a refused start must neither take nor give back a slot";
    EXPECT_EQ(here.window(), 1001);

    Installation::finish(first);
    EXPECT_EQ(here.runtime_files(), QStringList()) << "the last instance leaves its record behind";
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
    EXPECT_EQ(here.runtime_files(), QStringList());
}

TEST(CheckPrevious, StartsAtTheSameMomentAdmitExactlyAsManyAsAllowed)
{
    for (const int allowed : {1, 2}) {
        Installation here;
        std::vector<Child> starts;
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
        EXPECT_EQ(here.runtime_files(), QStringList());
    }
}

// Folder names are bytes: two that are not UTF-8, and read alike as text, still have records of their own.
TEST(CheckPrevious, FolderNamesThatAreNotUtf8HaveRecordsOfTheirOwn)
{
    Installation here;
    const QString base = QFileInfo(here.exe()).absolutePath();
    std::vector<QByteArray> folders;
    std::vector<Child> starts;
    for (const char* name : {"\xE9", "\xE8"}) {
        folders.push_back(QFile::encodeName(base) + "/" + name);
        ASSERT_EQ(mkdir(folders.back().constData(), 0755), 0);
        ASSERT_EQ(link(INSTANCE_HOLDER, (folders.back() + "/KRV").constData()), 0);
        // The shell turns the octal escape into the byte itself.
        const QString escaped = base + QString("/\\%1/KRV").arg(uchar(name[0]), 0, 8);
        Child c{std::make_unique<QProcess>(), {}};
        c.process->setProcessEnvironment(here.env());
        c.process->start("/bin/sh", {"-c", R"sh(exec "$(printf "$0")" "$@")sh", escaped,
                                     QString::number(7000 + starts.size()), "1"});
        Installation::await(c);
        EXPECT_EQ(c.report.toStdString(), "refused=0") << escaped.toStdString();
        starts.push_back(std::move(c));
    }
    for (auto& c : starts)
        Installation::finish(c);
    for (const QByteArray& folder : folders) {
        unlink((folder + "/KRV").constData());
        rmdir(folder.constData());
    }
}

TEST(CheckPrevious, PathsThatDifferOnlyInTheirSlashesHaveRecordsOfTheirOwn)
{
    Installation here("x/ab/KRV");
    auto first = here.start(4001);
    auto second = here.start(4002, 1, here.also_at("x/a/bKRV"));
    EXPECT_EQ(first.report.toStdString(), "refused=0");
    EXPECT_EQ(second.report, "refused=0");
    Installation::finish(first);
    Installation::finish(second);
}

// The record lives where only its user can write; a folder that another user owns or can write is
// never used, and never costs a start its guard: the record then goes to a folder in the user's home.
TEST(CheckPrevious, OnlyAFolderOfTheUsersOwnHoldsTheRecordAndASquatterNeverUnguardsAStart)
{
    QTemporaryDir tmp; // stands for the system's temporary folder
    const QTemporaryDir home = private_folder();
    const QString own = tmp.filePath("krv-" + QString::number(geteuid()));
    QTemporaryDir foreign_runtime = private_folder(kOtherUser);
    struct Case {
        const char* name;
        QString runtime;                   // XDG_RUNTIME_DIR, empty for unset
        std::function<void()> prepare_own; // the fallback folder as found
    } cases[] = {
        {"the session's runtime folder is another user's", foreign_runtime.path(), [] {}},
        {"the fallback folder is another user's",
         {},
         [&] {
             QDir().mkdir(own);
             chmod(QFile::encodeName(own).constData(), 0700);
             give_to_other_user(own);
         }},
        {"the fallback folder is writable by others",
         {},
         [&] {
             QDir().mkdir(own);
             chmod(QFile::encodeName(own).constData(), 0777);
         }},
        {"the fallback folder is a link to a folder of another user",
         {},
         [&] {
             QFile::link(foreign_runtime.path(), own);
             give_to_other_user(own);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(own);
        QDir(own).removeRecursively();
        c.prepare_own();
        Installation here;
        here.env().insert("TMPDIR", tmp.path());
        here.env().insert("HOME", home.path());
        if (c.runtime.isEmpty())
            here.env().remove("XDG_RUNTIME_DIR");
        else
            here.env().insert("XDG_RUNTIME_DIR", c.runtime);
        auto first = here.start(5000);
        EXPECT_EQ(first.report.toStdString(), "refused=0");
        auto second = here.start(5001);
        EXPECT_EQ(second.report.toStdString(), "refused=1") << "the second start ran unguarded";
        EXPECT_EQ(QDir(foreign_runtime.path()).entryList(QDir::Files), QStringList());
        Installation::finish(second);
        Installation::finish(first);
        EXPECT_EQ(first.process->exitCode(), 0);
    }
}

TEST(CheckPrevious, AnotherUserOfASharedInstallationRunsGuardedBesideTheFirst)
{
    if (const QString why = other_user_unavailable(); !why.isEmpty())
        GTEST_SKIP() << why.toStdString();
    Installation here;
    here.share();
    auto mine = here.start(6001);
    ASSERT_EQ(mine.report, "refused=0");

    const QTemporaryDir theirs = private_folder(kOtherUser);
    auto run_as_other = [&](std::uint32_t window) {
        Child c{std::make_unique<QProcess>(), {}};
        QProcessEnvironment env = here.env();
        env.insert("XDG_RUNTIME_DIR", theirs.path());
        c.process->setProcessEnvironment(env);
        start_as_other_user(*c.process, here.exe(), {QString::number(window), "1"});
        Installation::await(c);
        return c;
    };
    auto other = run_as_other(6002);
    EXPECT_EQ(other.report, "refused=0");
    auto other_again = run_as_other(6003);
    EXPECT_EQ(other_again.report, "refused=1") << "the other user's second start ran unguarded";
    Installation::finish(other_again);
    Installation::finish(other);
    Installation::finish(mine);
    EXPECT_EQ(QDir(theirs.path()).entryList(QDir::Files), QStringList());
}

} // namespace
