// Opening the database file: where it is looked for, what a bad file gives, how it is set up.
#include "data_fixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

TEST(DataConnection, MissingOrForeignFileFailsWithTheEnginesMessage)
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    TADOConnection conn("ADOConnection1");
    conn.SetConnectionString(kConnectionString);
    EXPECT_EQ(FailureOf([&] { conn.Open(); }), "unable to open database file");
    EXPECT_FALSE(conn.Connected());
    EXPECT_FALSE(QFile::exists(dir.filePath("control.orac"))); // never created

    // Every later action fails the same way.
    TADOQuery q("ADOQuery1");
    q.SetConnection(&conn);
    q.SetSQL("SELECT * FROM member ORDER BY userid");
    EXPECT_EQ(FailureOf([&] { q.Open(); }), "unable to open database file");
    EXPECT_FALSE(q.Active());

    QFile junk(dir.filePath("control.orac"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    EXPECT_EQ(FailureOf([&] { conn.Open(); }), "file is not a database");
    EXPECT_FALSE(conn.Connected());
    QDir::setCurrent(previous);
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
