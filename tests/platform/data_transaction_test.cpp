// A transaction that is not stored takes its rows out of the data sets that changed them.
#include "data/datasource.h"
#include "data_fixture.h"

namespace {

// Adds guests from key 100 on until the engine refuses one; gives its message.
QString AddUntilRefused(TADOQuery& q)
{
    for (int key = 100; key < 100000; ++key) {
        const QString failure = FailureOf([&] {
            q.Insert();
            q.FieldByName("userid")->SetAsInteger(key);
            q.FieldByName("name")->SetAsString(QString("Guest %1").arg(key));
            q.Post();
        });
        if (!failure.isEmpty()) {
            q.Cancel();
            return failure;
        }
    }
    return {};
}

} // namespace

TEST_F(DataTest, FullDiskEndsTheTransactionAndEveryDataSetShowsTheFileAgain)
{
    db.exec(kGuests);
    open("SELECT * FROM member ORDER BY userid");
    q.SetSort("name DESC");
    q.SetRecNo(3);
    ASSERT_EQ(q.FieldByName("name")->AsString(), "bob");
    TADOQuery groups("groups");
    groups.SetConnection(&conn);
    groups.SetSQL("SELECT * FROM mb_group ORDER BY group_id");
    groups.Open();
    TDataSource source;
    source.SetDataSet(&q);
    int heard_count = -1;
    source.OnDataChange = [&](TField*) { heard_count = q.RecordCount(); };

    // No page more than the file has now.
    conn.Execute("PRAGMA max_page_count = 1");
    conn.BeginTrans();
    q.Edit();
    q.FieldByName("name")->SetAsString("Robert");
    q.Post();
    q.First();
    q.Delete();
    groups.Insert();
    groups.FieldByName("group_id")->SetAsInteger(3);
    groups.Post();
    EXPECT_EQ(AddUntilRefused(q), "database or disk is full");

    EXPECT_FALSE(conn.InTransaction());
    EXPECT_EQ(db.scalar("SELECT group_concat(name) FROM member"), "Ann,bob,Cleo,Dan");
    EXPECT_EQ(q.State(), dsBrowse);
    EXPECT_EQ(column(q, "name"), (QStringList{"Dan", "Cleo", "bob", "Ann"}));
    EXPECT_EQ(q.Sort(), "name DESC");
    EXPECT_EQ(heard_count, 4);
    EXPECT_EQ(column(groups, "group_id"), (QStringList{"1", "2"}));

    // It writes on as before, each post on its own.
    conn.Execute("PRAGMA max_page_count = 1000000");
    q.SetRecNo(3);
    q.Edit();
    q.FieldByName("name")->SetAsString("Robert");
    q.Post();
    EXPECT_EQ(db.scalar("SELECT name FROM member WHERE userid = 2"), "Robert");
}

TEST_F(DataTest, RefusedCommitStoresNothingAndTheRowsLeaveTheDataSet)
{
    db.exec(kGuests + "CREATE TABLE pledge (id INTEGER PRIMARY KEY,"
                      " userid INTEGER REFERENCES member (userid) DEFERRABLE INITIALLY DEFERRED);");
    conn.Execute("PRAGMA foreign_keys = ON");
    open("SELECT * FROM pledge");
    conn.BeginTrans();
    q.Insert();
    q.FieldByName("id")->SetAsInteger(1);
    q.FieldByName("userid")->SetAsInteger(99);
    q.Post();
    EXPECT_EQ(FailureOf([&] { conn.CommitTrans(); }), "FOREIGN KEY constraint failed");
    EXPECT_FALSE(conn.InTransaction());
    EXPECT_EQ(q.RecordCount(), 0);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM pledge"), "0");
}
