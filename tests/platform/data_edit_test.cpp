// Inserting, editing, posting and deleting through the current row, and the notifications.
#include "data_fixture.h"

namespace {

// The key rule: highest key + 1, read on the scratch query just before the insert.
int NewKey(TADOQuery& cnn, const QString& table, const QString& key)
{
    cnn.SetSQL(QString("SELECT %1 FROM %2 ORDER BY %1 DESC;").arg(key, table));
    cnn.Open();
    const int k = cnn.FieldByName(key)->AsInteger() + 1;
    cnn.Close();
    return k;
}

void AddGuest(TADOQuery& q, int key, const QString& name)
{
    q.Insert();
    q.FieldByName("userid")->SetAsInteger(key);
    q.FieldByName("name")->SetAsString(name);
    q.Post();
}

} // namespace

TEST_F(DataTest, NewKeysStartAtOneAndTheHighestDeletedKeyIsGivenOutAgain)
{
    TADOQuery cnn("cnn");
    cnn.SetConnection(&conn);
    EXPECT_EQ(NewKey(cnn, "member", "userid"), 1);
    EXPECT_EQ(NewKey(cnn, "mb_group", "group_id"), 1);

    open("SELECT * FROM member ORDER BY userid");
    for (const char* name : {"Ann", "Bob", "Cleo"})
        AddGuest(q, NewKey(cnn, "member", "userid"), name);
    EXPECT_EQ(db.scalar("SELECT group_concat(userid) FROM member"), "1,2,3");

    ASSERT_EQ(q.FieldByName("userid")->AsInteger(), 3); // the last insert is current
    q.Delete();
    EXPECT_EQ(NewKey(cnn, "member", "userid"), 3);
    q.First(); // deleting a lower key does not free it
    ASSERT_EQ(q.FieldByName("userid")->AsInteger(), 1);
    q.Delete();
    EXPECT_EQ(NewKey(cnn, "member", "userid"), 3);
}

TEST_F(DataTest, InsertedRowIsStoredAtOnceAndShowsTheColumnDefaults)
{
    db.exec(kGuests);
    open("SELECT * FROM member ORDER BY userid");
    q.SetRecNo(2);
    q.Insert();
    EXPECT_EQ(q.State(), dsInsert);
    EXPECT_EQ(q.RecordCount(), 5);
    EXPECT_EQ(q.RecNo(), 5); // at the end, whichever row was current
    q.FieldByName("userid")->SetAsInteger(9);
    q.FieldByName("name")->SetAsString("Eve");
    q.Post();
    EXPECT_EQ(q.State(), dsBrowse);
    EXPECT_EQ(q.FieldByName("name")->AsString(), "Eve"); // stays current
    EXPECT_EQ(q.RecNo(), 5);
    EXPECT_EQ(q.FieldByName("group_id")->AsInteger(), 0);
    EXPECT_TRUE(q.FieldByName("money")->IsNull());
    EXPECT_EQ(
        db.scalar(
            "SELECT name || '/' || group_id || '/' || ifnull(money, 'null') FROM member WHERE userid = 9"),
        "Eve/0/null");
}

TEST_F(DataTest, EditWritesOnlyTheCurrentRowByItsKey)
{
    db.exec(kGuests + "INSERT INTO member (userid, name) VALUES (5, 'bob');");
    const QString others =
        db.scalar("SELECT group_concat(userid || name || ifnull(money, ''), ',') FROM member "
                  "WHERE userid <> 2");
    open("SELECT * FROM member WHERE name = 'bob' ORDER BY userid");
    ASSERT_EQ(q.RecordCount(), 2);
    q.Edit();
    EXPECT_EQ(q.State(), dsEdit);
    q.FieldByName("money")->SetAsCurrency(Currency::FromString("12.25"));
    q.FieldByName("note")->Clear();
    q.FieldByName("lastname")->SetAsString("Marsh-Lee");
    q.Post();
    EXPECT_EQ(q.FieldByName("money")->AsString(), "12.25");
    EXPECT_EQ(db.scalar("SELECT lastname || '/' || money || '/' || ifnull(note, 'null') FROM member "
                        "WHERE userid = 2"),
              "Marsh-Lee/12.25/null");
    EXPECT_EQ(db.scalar("SELECT group_concat(userid || name || ifnull(money, ''), ',') FROM member "
                        "WHERE userid <> 2"),
              others);

    // Whole amounts are stored as integers, "" empties a number column.
    q.Edit();
    q.FieldByName("money")->SetAsString("250");
    q.Post();
    EXPECT_EQ(db.scalar("SELECT typeof(money) || money FROM member WHERE userid = 2"), "integer250");
    q.Edit();
    q.FieldByName("money")->SetAsString("");
    q.Post();
    EXPECT_EQ(db.scalar("SELECT typeof(money) FROM member WHERE userid = 2"), "null");

    // Moving on posts a pending edit.
    q.Edit();
    q.FieldByName("name")->SetAsString("Robert");
    q.Next();
    EXPECT_EQ(db.scalar("SELECT name FROM member WHERE userid = 2"), "Robert");
}

TEST_F(DataTest, EditOnAnEmptyResultStartsAnInsert)
{
    open("SELECT * FROM mb_group");
    q.Edit();
    EXPECT_EQ(q.State(), dsInsert);
    q.FieldByName("group_id")->SetAsInteger(1);
    q.FieldByName("group_name")->SetAsString("Friends");
    q.Post();
    EXPECT_EQ(db.scalar("SELECT group_name FROM mb_group WHERE group_id = 1"), "Friends");
}

TEST_F(DataTest, FailedPostLeavesTheRowInInsertOrEdit)
{
    db.exec(kGuests);
    open("SELECT * FROM member ORDER BY userid");
    q.Insert();
    q.FieldByName("userid")->SetAsInteger(1);
    EXPECT_EQ(FailureOf([&] { q.Post(); }), "UNIQUE constraint failed: member.userid");
    EXPECT_EQ(q.State(), dsInsert);
    q.FieldByName("userid")->SetAsInteger(7);
    q.Post();
    EXPECT_EQ(db.scalar("SELECT count(*) FROM member"), "5");

    q.First();
    q.Edit();
    q.FieldByName("userid")->SetAsInteger(2);
    EXPECT_EQ(FailureOf([&] { q.Post(); }), "UNIQUE constraint failed: member.userid");
    EXPECT_EQ(q.State(), dsEdit);
    q.Cancel();
    EXPECT_EQ(q.FieldByName("userid")->AsInteger(), 1);

    // A cancelled insert leaves no row behind and the row current before it is current again.
    q.SetRecNo(2);
    q.Insert();
    q.Cancel();
    EXPECT_EQ(q.RecordCount(), 5);
    EXPECT_EQ(q.RecNo(), 2);
}

TEST_F(DataTest, DeleteRemovesTheRowAtOnceAndANeighbourBecomesCurrent)
{
    db.exec(kGuests);
    open("SELECT * FROM member ORDER BY userid");
    q.SetRecNo(2);
    q.Delete();
    EXPECT_EQ(q.FieldByName("userid")->AsInteger(), 3); // the next row
    q.Last();
    q.Delete();
    EXPECT_EQ(q.FieldByName("userid")->AsInteger(), 3); // no next row: the previous one
    EXPECT_EQ(db.scalar("SELECT group_concat(userid) FROM member"), "1,3");
    q.Delete();
    q.Delete();
    EXPECT_TRUE(q.Eof());
    EXPECT_EQ(q.RecordCount(), 0);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM member"), "0");
}

TEST_F(DataTest, DataChangeIsRaisedWhereTheRowOrItsValuesChange)
{
    db.exec(kGuests);
    TDataSource source("DataSource1");
    source.SetDataSet(&q);
    QStringList changes, events;
    source.OnDataChange = [&](TField* f) { changes << (f ? f->FieldName() : "-"); };
    source.AddListener([&](TDataEvent e, TField*) { events << QString::number(int(e)); });

    struct Step {
        const char* what;
        std::function<void()> action;
        QStringList changes;
    };
    const Step steps[] = {
        {"open", [&] { open("SELECT * FROM member ORDER BY userid"); }, {"-"}},
        {"next", [&] { q.Next(); }, {"-"}},
        {"move by 0", [&] { q.MoveBy(0); }, {}},
        {"last", [&] { q.Last(); }, {"-"}},
        {"next at end", [&] { q.Next(); }, {}},
        {"insert", [&] { q.Insert(); }, {"-"}},
        {"set fields",
         [&] { q.FieldByName("userid")->SetAsInteger(8), q.FieldByName("name")->SetAsString("Al"); },
         {"userid", "name"}},
        {"post", [&] { q.Post(); }, {"-"}},
        {"edit", [&] { q.Edit(); }, {"-"}},
        {"clear", [&] { q.FieldByName("note")->Clear(); }, {"note"}},
        {"post", [&] { q.Post(); }, {"-"}},
        {"sort", [&] { q.SetSort("name DESC"); }, {"-"}},
        {"delete", [&] { q.Delete(); }, {"-"}},
        {"close", [&] { q.Close(); }, {}},
    };
    for (const Step& s : steps) {
        changes.clear();
        s.action();
        EXPECT_EQ(changes, s.changes) << s.what;
    }
    // Viewers hear the close as well.
    EXPECT_EQ(events.last(), QString::number(int(TDataEvent::Closed)));
}

TEST_F(DataTest, ExecutedStatementsCarryTheirValuesBound)
{
    db.exec(kGuests);
    q.SetSQL("UPDATE mb_group SET group_name = ? WHERE group_id = ?", {"Close family", 1});
    EXPECT_EQ(q.ExecSQL(), 1);
    EXPECT_EQ(db.scalar("SELECT group_name FROM mb_group WHERE group_id = 1"), "Close family");
    q.SetSQL("UPDATE for_report_show SET kw_now = '-' WHERE report_show_id = 1"); // no values
    EXPECT_EQ(q.ExecSQL(), 1);
    q.SetSQL("UPDATE mb_group SET group_name = ? WHERE group_id = ?", {"x"});
    EXPECT_EQ(FailureOf([&] { q.ExecSQL(); }), "The statement takes 2 values, 1 given");
    q.SetSQL("UPDATE mb_group SET group_name = 'a'; DELETE FROM member");
    EXPECT_EQ(FailureOf([&] { q.ExecSQL(); }), "Characters found after the end of the statement");
    EXPECT_EQ(db.scalar("SELECT count(*) FROM member"), "4");
}
