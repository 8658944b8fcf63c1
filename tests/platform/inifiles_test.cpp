// Settings files: the line rules, the shared document of nested objects, and the failure rules
// of the atomic replace (read-only file and folder, full disk, crash before the rename).
#include "support/other_user.h"
#include "support/small_file_system.h"
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
#include <iostream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/types.h>

namespace {

// A write failure without a full disk: the process may not grow a file past 1 KiB.
void LimitFileSize()
{
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{1024, RLIM_INFINITY};
    setrlimit(RLIMIT_FSIZE, &limit);
}

void UnlimitFileSize()
{
    const rlimit none{RLIM_INFINITY, RLIM_INFINITY};
    setrlimit(RLIMIT_FSIZE, &none);
}

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
    QString target() const { return other.filePath("settings.ini"); }
    // Makes the settings file a link, owned by `owner`, to a file in another folder.
    void link_to_target(unsigned owner) const
    {
        const QByteArray stored = QFile::exists(file()) ? Content(file()) : QByteArray();
        QFile::remove(file());
        Put(target(), stored);
        QFile::link(target(), file());
        if (owner != geteuid())
            give_to_other_user(file());
    }
    // Files in the folder other than the settings file: temporary files must not linger.
    QStringList others() const
    {
        QStringList l = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        l.removeAll("krv.ini");
        return l;
    }
    QTemporaryDir dir, other;
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
        {"link of another user", [&] { link_to_target(kOtherUser); },
         [&] {
             EXPECT_EQ(Content(target()), stored);
             QFile::remove(file());
             Put(file(), stored);
         }},
        {"full disk", LimitFileSize, UnlimitFileSize},
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

TEST_F(IniFileTest, AKillDuringTheReplaceLeavesTheOldOrTheNewFile)
{
    auto whole = [](char c) { return "[Config]\nMainText=" + QByteArray(65536, c) + "\n"; };
    Put(file(), whole('a'));
    for (int round = 0; round < 12; ++round) {
        QProcess child;
        child.start(INI_WRITER, {file(), "--loop"});
        QByteArray output;
        while (!output.contains("writing") && child.waitForReadyRead(10000))
            output += child.readAll();
        QThread::usleep(QRandomGenerator::global()->bounded(1000, 20000));
        child.kill();
        child.waitForFinished(10000);
        const QByteArray now = Content(file());
        ASSERT_TRUE(now == whole('a') || now == whole('b'))
            << "round " << round << ": " << now.size() << " bytes";
    }
    // The next save clears what the killed writers left behind.
    TIniFile(file()).WriteString("Config", "MainText", "after");
    EXPECT_TRUE(others().isEmpty()) << others().join(" ").toStdString();
}

// A link of the user's own is followed; another user's link is never written through.
TEST_F(IniFileTest, ALinkIsFollowedOnlyWhenItIsTheUsersOwn)
{
    link_to_target(geteuid());
    TIniFile(file()).WriteString("Config", "MainText", "Mine");
    EXPECT_EQ(Content(target()), "[Config]\nMainText=Mine\n");
    EXPECT_TRUE(QFileInfo(file()).isSymLink());
}

// A writable settings file in a folder that the user may not write is still stored. As another user,
// since root writes whatever the modes say.
TEST_F(IniFileTest, AWritableFileInAFolderThatIsNotWritableIsWrittenInPlace)
{
    if (const QString why = other_user_unavailable(); !why.isEmpty())
        GTEST_SKIP() << why.toStdString();
    Put(file(), "[Config]\nMainText=Invite\nfont_size=12\n");
    QFile::setPermissions(file(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther | QFile::WriteOther);
    chmod(QFile::encodeName(dir.path()).constData(), 0755);
    const ino_t before = Stat(file()).st_ino;
    QProcess writer;
    start_as_other_user(writer, INI_WRITER, {file(), "Hello"});
    ASSERT_TRUE(writer.waitForFinished(10000));
    EXPECT_EQ(writer.exitCode(), 0) << writer.readAllStandardError().toStdString();
    EXPECT_EQ(Content(file()), "[Config]\nMainText=Hello\nfont_size=12\n");
    EXPECT_EQ(Stat(file()).st_ino, before);
}

// A file that can only be written in place keeps all it held when the disk runs out during the write:
// on a small file system filled up, and past a file size limit. A folder without write bits counts as
// read-only also for root.
TEST_F(IniFileTest, AnInPlaceWriteThatRunsOutOfSpaceLeavesTheFileAsItWas)
{
    QByteArray stored = "[Config]\n";
    for (int i = 0; i < 27; ++i)
        stored += "key_" + QByteArray::number(i) + "=" + QByteArray::number(i * 1000) + "\n";
    SmallFileSystem small(64);
    struct Case {
        const char* name;
        QString folder;
        std::function<void()> fail, undo;
    } cases[] = {
        {"full file system", small.path(), [&] { small.fill(); }, [&] { small.free_space(); }},
        {"file size limit", dir.path(), LimitFileSize, UnlimitFileSize},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.folder == small.path() && !small.unavailable().isEmpty()) {
            std::cout << "[ NOTE ] " << c.name << " left out: " << small.unavailable().toStdString() << "\n";
            continue;
        }
        const QString path = c.folder + "/krv.ini";
        Put(path, stored);
        c.fail();
        chmod(QFile::encodeName(c.folder).constData(), 0555);
        {
            TIniFile ini(path);
            ini.WriteString("Config", "MainText", QString(8192, 'n'));
        }
        chmod(QFile::encodeName(c.folder).constData(), 0755);
        c.undo();
        EXPECT_EQ(Content(path).toStdString(), stored.toStdString());
        EXPECT_EQ(TIniFile(path).ReadString("Config", "key_26", ""), "26000");

        // With room again the value is stored, and a shorter one leaves no trace of the longer.
        chmod(QFile::encodeName(c.folder).constData(), 0555);
        TIniFile(path).WriteString("Config", "MainText", QString(8192, 'n'));
        TIniFile(path).WriteString("Config", "MainText", "short");
        chmod(QFile::encodeName(c.folder).constData(), 0755);
        EXPECT_EQ(Content(path).toStdString(), (stored + "MainText=short\n").toStdString());
    }
}

// A settings file that is no regular file, or one far larger than any settings file, reads as absent
// without blocking or filling the memory, and is never written over.
TEST_F(IniFileTest, OnlyARegularFileOfASettingsFilesSizeIsReadOrWritten)
{
    const QByteArray big = "[Config]\nMainText=Big\n" + QByteArray(2 * 1024 * 1024, '#');
    struct Case {
        const char* name;
        std::function<void()> make;
        std::function<void()> check;
        bool write;
    } cases[] = {
        {"FIFO", [&] { mkfifo(QFile::encodeName(file()).constData(), 0666); },
         [&] { EXPECT_TRUE(S_ISFIFO(Stat(file()).st_mode)); }, true},
        {"link to a device that never ends", [&] { QFile::link("/dev/zero", file()); },
         [&] { EXPECT_TRUE(QFileInfo(file()).isSymLink()); }, false},
        {"huge file", [&] { Put(file(), big); }, [&] { EXPECT_TRUE(Content(file()) == big); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(file());
        c.make();
        {
            TIniFile ini(file());
            EXPECT_EQ(ini.ReadString("Config", "MainText", "none"), "none");
            if (c.write)
                ini.WriteString("Config", "MainText", "Hello");
        }
        c.check();
        EXPECT_TRUE(others().isEmpty()) << others().join(" ").toStdString();
    }
}

} // namespace
