// Opening, reading, moving and sorting the client-side result.
#include "data_fixture.h"

#include <functional>

TEST_F(DataTest, OpenFetchesTheWholeResultAndCloseReleasesIt)
{
    db.exec(kGuests);
    open("SELECT * FROM member ORDER BY userid");
    EXPECT_TRUE(q.Active());
    EXPECT_EQ(q.State(), dsBrowse);
    EXPECT_EQ(q.RecordCount(), 4);
    EXPECT_EQ(q.RecNo(), 1);
    EXPECT_EQ(q.FieldCount(), 8);
    EXPECT_EQ(q.FieldByName("NAME")->AsString(), "Ann"); // names in any case

    q.Next();
    q.Open(); // already open: stays on its row
    EXPECT_EQ(q.RecNo(), 2);

    q.Close();
    q.Close();
    EXPECT_FALSE(q.Active());
    EXPECT_EQ(q.State(), dsInactive);

    q.SetSQL("SELECT * FROM member WHERE userid = 3");
    q.Open();
    q.SetSQL("SELECT * FROM member"); // replacing the statement closes
    EXPECT_FALSE(q.Active());
}

TEST_F(DataTest, FailuresNameTheDataSet)
{
    db.exec(kGuests);
    const std::vector<std::pair<std::function<void()>, QString>> cases = {
        {[&] { q.FieldByName("name"); }, "ADOQuery1: Field 'name' not found"},
        {[&] { q.SetSort("name ASC"); }, "ADOQuery1: Cannot perform this operation on a closed dataset"},
        {[&] { q.First(); }, "ADOQuery1: Cannot perform this operation on a closed dataset"},
        {[&] { open("SELECT * FROM member"), q.FieldByName("nmae"); }, "ADOQuery1: Field 'nmae' not found"},
        {[&] { open("SELECT * FROM member"), q.FieldByName("name")->SetAsString("x"); },
         "ADOQuery1: Dataset not in edit or insert mode"},
        {[&] { open("SELECT * FROM member WHERE userid = 0"), q.Delete(); },
         "ADOQuery1: Cannot perform this operation on an empty dataset"},
        {[&] { open("SELECT COUNT(*) AS n FROM member"), q.Edit(); },
         "ADOQuery1: Cannot modify a read-only dataset"},
        {[&] { open("SELECT * FROM nowhere"); }, "no such table: nowhere"},
        {[&] { open("SELEC * FROM member"); }, "near \"SELEC\": syntax error"},
    };
    for (const auto& [action, message] : cases) {
        q.Close();
        EXPECT_EQ(FailureOf(action), message);
    }
    EXPECT_FALSE(q.Active()); // a failed open leaves it closed
}

TEST_F(DataTest, ReadingRules)
{
    db.exec(kGuests);
    open("SELECT * FROM member ORDER BY userid");
    struct Case {
        int rec_no;
        const char* field;
        QString text;
        int integer;
        double real;
    };
    const Case cases[] = {
        {1, "money", "1500", 1500, 1500.0}, // a whole amount reads without decimals
        {2, "money", "1500.5", 1501, 1500.5},
        {4, "money", "", 0, 0.0}, // NULL
        {4, "note", "", 0, 0.0},
        {3, "userid", "3", 3, 3.0},
        {1, "name", "Ann", 0, 0.0},
    };
    for (const Case& c : cases) {
        q.SetRecNo(c.rec_no);
        TField* f = q.FieldByName(c.field);
        EXPECT_EQ(f->AsString(), c.text) << c.field << " row " << c.rec_no;
        if (c.text != "Ann") {
            EXPECT_EQ(f->AsInteger(), c.integer) << c.field;
            EXPECT_DOUBLE_EQ(f->AsFloat(), c.real) << c.field;
        }
        EXPECT_EQ(f->IsNull(), c.text.isEmpty());
    }
    q.SetRecNo(2);
    EXPECT_EQ(q.FieldByName("money")->AsCurrency(), Currency::FromString("1500.5"));
    EXPECT_EQ(q.FieldByName("money")->DataType(), ftCurrency);

    // Sums: NULL over no rows or only NULLs reads as 0.
    for (const char* where : {"userid > 10", "money IS NULL"}) {
        open(QString("SELECT SUM(money) AS total_money FROM member WHERE ") + where);
        EXPECT_EQ(q.FieldByName("total_money")->AsCurrency(), Currency(0)) << where;
        EXPECT_EQ(q.FieldByName("total_money")->AsString(), "") << where;
    }
    open("SELECT SUM(money) AS total_money, COUNT(userid) AS total_card FROM member");
    EXPECT_EQ(q.FieldByName("total_money")->AsCurrency().ToString(), "3200.5");
    EXPECT_EQ(q.FieldByName("total_card")->AsInteger(), 4);

    // The key read on an empty result gives 0.
    open("SELECT group_id FROM mb_group WHERE group_id > 5 ORDER BY group_id DESC;");
    EXPECT_TRUE(q.Eof());
    EXPECT_EQ(q.FieldByName("group_id")->AsInteger(), 0);
}

TEST_F(DataTest, DisplayTextRoutineLastsUntilTheNextOpen)
{
    db.exec(kGuests);
    open("SELECT * FROM member ORDER BY userid");
    q.FieldByName("money")->OnGetText = [](TField* f, QString& text, bool) {
        text = f->AsFloat() > 0 ? "$" + f->AsString() : QString();
    };
    TField* money = q.FieldByName("money");
    EXPECT_EQ(money->DisplayText(), "$1500");
    EXPECT_EQ(money->AsString(), "1500"); // reading as text is not affected
    // A grid reads other rows without moving the current one.
    EXPECT_EQ(q.DisplayTextAt(1, money), "$1500.5");
    EXPECT_EQ(q.DisplayTextAt(3, money), "");
    EXPECT_EQ(q.RecNo(), 1);
    // The row being edited shows its pending values.
    q.Next();
    q.Edit();
    money->SetAsCurrency(Currency(7));
    EXPECT_EQ(q.DisplayTextAt(1, money), "$7");
    EXPECT_EQ(q.DisplayTextAt(0, money), "$1500");
    q.Cancel();
    EXPECT_EQ(q.DisplayTextAt(1, money), "$1500.5");

    q.Close();
    q.Open();
    EXPECT_FALSE(q.FieldByName("money")->OnGetText);
    EXPECT_EQ(q.FieldByName("money")->DisplayText(), "1500");
}

TEST_F(DataTest, MovingAndEndOfData)
{
    db.exec(kGuests);
    open("SELECT * FROM member ORDER BY userid");
    struct Step {
        const char* what;
        std::function<void()> move;
        int rec_no;
        bool eof, bof;
    };
    const Step steps[] = {
        {"open", [] {}, 1, false, true},
        {"next", [&] { q.Next(); }, 2, false, false},
        {"move by 10", [&] { q.MoveBy(10); }, 4, true, false}, // stops at the last row
        {"next at end", [&] { q.Next(); }, 4, true, false},
        {"prior", [&] { q.Prior(); }, 3, false, false},
        {"move by -10", [&] { q.MoveBy(-10); }, 1, false, true},
        {"move by 3", [&] { q.MoveBy(3); }, 4, false, false}, // lands on the last row exactly
        {"next past last", [&] { q.Next(); }, 4, true, false},
        {"first", [&] { q.First(); }, 1, false, true},
        {"last", [&] { q.Last(); }, 4, true, false},
        {"rec no 2", [&] { q.SetRecNo(2); }, 2, false, false},
    };
    for (const Step& s : steps) {
        s.move();
        EXPECT_EQ(q.RecNo(), s.rec_no) << s.what;
        EXPECT_EQ(q.Eof(), s.eof) << s.what;
        EXPECT_EQ(q.Bof(), s.bof) << s.what;
    }
    int seen = 0;
    for (q.First(); !q.Eof(); q.Next())
        ++seen;
    EXPECT_EQ(seen, 4);

    open("SELECT * FROM member WHERE userid > 10");
    EXPECT_TRUE(q.Eof());
    EXPECT_EQ(q.RecordCount(), 0);
    EXPECT_EQ(q.RecNo(), 0);
    q.Next();
    q.Last();
    EXPECT_TRUE(q.Eof());
}

TEST_F(DataTest, SortReordersTheFetchedRowsAndKeepsTheCurrentOne)
{
    db.exec(kGuests + "INSERT INTO member (userid, name, money) VALUES (5, 'émile', 50);");
    open("SELECT * FROM member ORDER BY userid");
    q.SetRecNo(3); // Cleo
    struct Case {
        QString order;
        QStringList names;
    };
    const Case cases[] = {
        {"name ASC", {"Ann", "bob", "Cleo", "Dan", "émile"}},   // letter case ignored
        {"money DESC", {"bob", "Ann", "Cleo", "émile", "Dan"}}, // NULL last when descending
        {"money ASC", {"Dan", "émile", "Cleo", "Ann", "bob"}},
        {"group_id ASC, name DESC", {"émile", "Dan", "Cleo", "Ann", "bob"}},
        {"", {"Ann", "bob", "Cleo", "Dan", "émile"}}, // the fetched order again
    };
    for (const Case& c : cases) {
        q.SetSort(c.order);
        EXPECT_EQ(column(q, "name"), c.names) << c.order.toStdString();
        EXPECT_EQ(q.FieldByName("name")->AsString(), "Cleo") << c.order.toStdString();
        EXPECT_EQ(q.Sort(), c.order);
    }
    q.SetSort("lastname DESC");
    q.Close();
    q.Open();
    EXPECT_EQ(q.Sort(), "");
    EXPECT_EQ(FailureOf([&] { q.SetSort("nothing ASC"); }), "ADOQuery1: Field 'nothing' not found");
}

TEST_F(DataTest, SortFollowsTheLanguageAndKeepsTiesInFetchedOrder)
{
    // userid gives the fetched order; accented letters sort beside their base letters, names equal
    // but for letter case stay in the fetched order, in either direction, whether the rows come
    // straight from the fetch or from another order.
    db.exec("INSERT INTO member (userid, name, lastname) VALUES (1, 'émile', 'a'), (2, 'Zoe', 'b'),"
            " (3, 'ÉMILE', 'c'), (4, 'adam', 'd'), (5, NULL, 'e'), (6, 'Adam', 'f'), (7, 'Ölaf', 'g'),"
            " (8, 'ADAM', 'h'), (9, 'Zoë', 'i');");
    open("SELECT * FROM member ORDER BY userid");
    const struct {
        QString order;
        QStringList lastnames;
    } cases[] = {
        {"name ASC", {"e", "d", "f", "h", "a", "c", "g", "b", "i"}},
        {"lastname DESC", {"i", "h", "g", "f", "e", "d", "c", "b", "a"}}, // another order in between
        {"name DESC", {"i", "b", "g", "a", "c", "d", "f", "h", "e"}},
    };
    for (const bool fresh : {false, true})
        for (const auto& c : cases) {
            if (fresh)
                open("SELECT * FROM member ORDER BY userid");
            q.SetSort(c.order);
            EXPECT_EQ(column(q, "lastname"), c.lastnames) << c.order.toStdString() << (fresh ? " fresh" : "");
        }
}

TEST_F(DataTest, JoinedSelectStarNamesDuplicatedColumnsByAlias)
{
    db.exec(kGuests);
    open("SELECT * FROM mb_group AS g, member AS m WHERE name = ? AND lastname = ? AND g.group_id = "
         "m.group_id",
         {"bob", "marsh"});
    ASSERT_EQ(q.RecordCount(), 1);
    EXPECT_EQ(q.FieldByName("m.group_id")->AsInteger(), 2);
    EXPECT_EQ(q.FieldByName("g.group_id")->AsInteger(), 2);
    EXPECT_EQ(q.FieldByName("group_name")->AsString(), "Work");
    EXPECT_EQ(q.FieldByName("member.userid")->AsInteger(), 2);
    EXPECT_EQ(q.Fields(0)->FieldName(), "g.group_id");
    EXPECT_EQ(FailureOf([&] { q.Edit(); }), "ADOQuery1: Cannot modify a read-only dataset");

    // Without aliases the table names qualify.
    open("SELECT * FROM mb_group, member WHERE mb_group.group_id = member.group_id AND userid = 3");
    EXPECT_EQ(q.FieldByName("member.group_id")->AsInteger(), 1);
}

TEST_F(DataTest, TableOpensTheWholeTable)
{
    db.exec(kGuests);
    TADOTable t("Table1");
    t.SetConnection(&conn);
    t.SetTableName("mb_group");
    t.Open();
    EXPECT_EQ(t.RecordCount(), 2);
    EXPECT_EQ(t.FieldByName("group_name")->AsString(), "Family");
}
