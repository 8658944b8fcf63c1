// Settings files: the line rules, the shared document of nested objects, and the failure rules
// of the atomic replace (read-only file and folder, full disk, crash before the rename).
#include "system/inifiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

QByteArray Content(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

void Put(const QString& path, const QByteArray& content)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}

struct stat Stat(const QString& path)
{
    struct stat st {};
    stat(QFile::encodeName(path).constData(), &st);
    return st;
}

class IniFileTest : public ::testing::Test {
protected:
    QString file(const QString& name = "krv.ini") const { return dir.filePath(name); }
    // Files in the folder other than the settings file: temporary files must not linger.
    QStringList others() const
    {
        QStringList l = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        l.removeAll("krv.ini");
        return l;
    }
    QTemporaryDir dir;
};

TEST_F(IniFileTest, ReadRules)
{
    const QString long_value(3000, 'x');
    struct Case {
        QByteArray content;
        const char *section, *key, *expected;
    } cases[] = {
        {"[Config]\nMainText=Invite\n", "config", "MAINTEXT", "Invite"},
        {"[Config]\nMainText=Invite\n", "Config", "Other", "<default>"},
        {"[Config]\nMainText=Invite\n", "Other", "MainText", "<default>"},
        {"<absent>", "Config", "MainText", "<default>"},
        {"[Config]\nMainText=\n", "Config", "MainText", ""},
        {"[ Config ]\r\n  font_size = 12 \r\n", "Config", "font_size", "12"},
        {"[A]\nk=1\n[B]\nk=2\n", "B", "k", "2"},
        {"[A]\nk=1\nk=2\n[a]\nk=3\n", "A", "K", "1"},
        {"k=0\n[A]\n; k=9\nno line of a key\nk=a=b\n", "A", "k", "a=b"},
        {"\xEF\xBB\xBF[Ä]\nÖ=é\n", "ä", "ö", "é"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content.toStdString());
        if (c.content == "<absent>")
            QFile::remove(file());
        else
            Put(file(), c.content);
        TIniFile ini(file());
        EXPECT_EQ(ini.ReadString(c.section, c.key, "<default>"), QString::fromUtf8(c.expected));
    }
    Put(file(), "[Config]\nMainText=" + long_value.toUtf8() + "\n");
    EXPECT_EQ(TIniFile(file()).ReadString("Config", "MainText", ""), long_value.left(2047));
}

TEST_F(IniFileTest, WriteRulesKeepEveryOtherLine)
{
    struct Case {
        QByteArray before;
        const char *section, *key, *value;
        QByteArray after;
    } cases[] = {
        {"[A]\nx=1\nK = old \ny=2\n", "a", "k", "new", "[A]\nx=1\nK=new\ny=2\n"},
        {"; note\n[A]\nx=1\n\n[B]\ny=2\n", "A", "k", "v", "; note\n[A]\nx=1\nk=v\n\n[B]\ny=2\n"},
        {"[A]\nx=1\n", "B", "k", "v", "[A]\nx=1\n\n[B]\nk=v\n"},
        {"[A]\nx=1", "A", "k", "v", "[A]\nx=1\nk=v\n"},
        {"[A]\r\nx=1\r\n", "A", "k", "", "[A]\r\nx=1\r\nk=\r\n"},
        {"<absent>", "Config", "MainText", "Invite", "[Config]\nMainText=Invite\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.before.toStdString());
        if (c.before == "<absent>")
            QFile::remove(file());
        else
            Put(file(), c.before);
        TIniFile(file()).WriteString(c.section, c.key, c.value);
        EXPECT_EQ(Content(file()), c.after);
    }
}

TEST_F(IniFileTest, OnlyAChangedValueRewritesTheFileAndItKeepsItsPermissions)
{
    Put(file(), "[Config]\nd_SD = 0\n");
    chmod(QFile::encodeName(file()).constData(), 0640);
    const ino_t before = Stat(file()).st_ino;
    {
        TIniFile ini(file());
        ini.WriteString("Config", "d_SD", "0");
        ini.WriteString("config", "D_SD", "0");
    }
    EXPECT_EQ(Stat(file()).st_ino, before) << "an unchanged value replaced the file";
    TIniFile(file()).WriteString("Config", "d_SD", "1");
    EXPECT_NE(Stat(file()).st_ino, before);
    EXPECT_EQ(Content(file()), "[Config]\nd_SD=1\n");
    EXPECT_EQ(Stat(file()).st_mode & 07777, 0640u);
    EXPECT_TRUE(others().isEmpty()) << others().join(" ").toStdString();
}

TEST_F(IniFileTest, NestedObjectsSeeEachOthersWritesAndLaterChangesOnDisk)
{
    Put(file(), "[Config]\ncolumn_size_0=100\n");
    {
        TIniFile load(file());
        EXPECT_EQ(load.ReadString("Config", "column_size_0", ""), "100");
        {
            TIniFile save(file());
            save.WriteString("Config", "column_size_0", "120");
        }
        EXPECT_EQ(Content(file()), "[Config]\ncolumn_size_0=120\n") << "the inner release stores its writes";
        EXPECT_EQ(load.ReadString("Config", "column_size_0", ""), "120");

        load.WriteString("Config", "MainText", "Hi");
        EXPECT_EQ(TIniFile(file()).ReadString("Config", "MainText", ""), "Hi");
    }
    EXPECT_EQ(Content(file()), "[Config]\ncolumn_size_0=120\nMainText=Hi\n");

    // Another program's edit is read at the next object.
    Put(file(), "[Config]\nMainText=Edited\n");
    EXPECT_EQ(TIniFile(file()).ReadString("Config", "MainText", ""), "Edited");
    QFile::remove(file());
    EXPECT_EQ(TIniFile(file()).ReadString("Config", "MainText", "none"), "none");
}

TEST_F(IniFileTest, AFailingReplaceChangesNothingAndTheStoredValuesStayReadable)
{
    const QByteArray stored = "[Config]\nMainText=Invite\n";
    struct Case {
        const char* name;
        std::function<void()> fail, undo;
    } cases[] = {
        {"read-only file", [&] { QFile::setPermissions(file(), QFile::ReadOwner); },
         [&] { QFile::setPermissions(file(), QFile::ReadOwner | QFile::WriteOwner); }},
        {"read-only folder", [&] { QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner); },
         [&] { QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); }},
        {"full disk",
         [] {
             std::signal(SIGXFSZ, SIG_IGN);
             const rlimit small{1024, RLIM_INFINITY};
             setrlimit(RLIMIT_FSIZE, &small);
         },
         [] {
             const rlimit none{RLIM_INFINITY, RLIM_INFINITY};
             setrlimit(RLIMIT_FSIZE, &none);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Put(file(), stored);
        c.fail();
        {
            TIniFile outer(file());
            {
                TIniFile ini(file());
                ini.WriteString("Config", "MainText", QString(4096, 'n'));
                ini.WriteString("Config", "font_size", "12");
            }
            EXPECT_EQ(outer.ReadString("Config", "MainText", ""), "Invite");
        }
        EXPECT_EQ(TIniFile(file()).ReadString("Config", "font_size", "none"), "none");
        c.undo();
        EXPECT_EQ(Content(file()), stored);
        EXPECT_TRUE(others().isEmpty()) << others().join(" ").toStdString();
    }
}

// In a child: rewrites the file with one of two long values after the other, until it is killed.
TEST(IniFileChild, WriteLoop)
{
    const QString path = qEnvironmentVariable("KRV_INI_CHILD");
    if (path.isEmpty())
        GTEST_SKIP() << "runs only as a child of the crash test";
    for (int i = 0;; ++i) {
        TIniFile(path).WriteString("Config", "MainText", QString(65536, i % 2 ? 'b' : 'a'));
        if (i == 1)
            std::printf("child: writing\n"), std::fflush(stdout);
    }
}

TEST_F(IniFileTest, AKillDuringTheReplaceLeavesTheOldOrTheNewFile)
{
    auto whole = [](char c) { return "[Config]\nMainText=" + QByteArray(65536, c) + "\n"; };
    Put(file(), whole('a'));
    for (int round = 0; round < 12; ++round) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("KRV_INI_CHILD", file());
        child.setProcessEnvironment(env);
        child.start(QFileInfo("/proc/self/exe").canonicalFilePath(),
                    {"--gtest_filter=IniFileChild.WriteLoop"});
        QByteArray output;
        while (!output.contains("child: writing") && child.waitForReadyRead(10000))
            output += child.readAll();
        QThread::usleep(QRandomGenerator::global()->bounded(1000, 20000));
        child.kill();
        child.waitForFinished(10000);
        const QByteArray now = Content(file());
        ASSERT_TRUE(now == whole('a') || now == whole('b'))
            << "round " << round << ": " << now.size() << " bytes";
    }
}

} // namespace
