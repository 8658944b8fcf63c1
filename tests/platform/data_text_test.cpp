// Text comparisons ignore letter case in every script; values never change a statement's meaning.
#include "data/statement.h"
#include "data_fixture.h"

#include <sqlite3.h>

namespace {

// The guest list's search: each column equals the text or contains it.
const QString kSearch =
    "SELECT * FROM member WHERE (name like ? or lastname like ? or other_txt like ? or "
    "money like ? or note like ? or name like ? or lastname like ? or other_txt like ? or "
    "money like ? or note like ?)";

QVariantList SearchValues(const QString& s)
{
    const QString c = "%" + s + "%";
    return {s, s, s, s, s, c, c, c, c, c};
}

} // namespace

TEST_F(DataTest, EqualsAndLikeIgnoreCaseInEveryScript)
{
    struct Case {
        const char* stored;
        const char* typed;
        const char* part;
    };
    const Case cases[] = {
        {"Anna", "aNNA", "NN"}, {"Émile", "éMILE", "MIL"}, {"Ølstrøm", "ØLSTRØM", "ØM"},
        {"Ёлка", "ёЛКА", "ЛК"}, {"Σοφία", "ΣΟΦΊΑ", "ΟΦ"},
    };
    for (const Case& c : cases) {
        db.exec(
            QString("DELETE FROM member; INSERT INTO member (userid, name) VALUES (1, '%1');").arg(c.stored));
        for (const char* sql :
             {"SELECT * FROM member WHERE name = ?", "SELECT * FROM member WHERE name LIKE ?"}) {
            open(sql, {QString::fromUtf8(c.typed)});
            EXPECT_EQ(q.RecordCount(), 1) << c.stored << " " << sql;
        }
        open("SELECT * FROM member WHERE name LIKE ?", {"%" + QString::fromUtf8(c.part) + "%"});
        EXPECT_EQ(q.RecordCount(), 1) << c.stored << " part " << c.part;
        open("SELECT * FROM member WHERE name LIKE ?", {"_" + QString::fromUtf8(c.typed).mid(1)});
        EXPECT_EQ(q.RecordCount(), 1) << c.stored << " with _";
        open("SELECT * FROM member WHERE name = ?", {QString::fromUtf8(c.typed) + "x"});
        EXPECT_EQ(q.RecordCount(), 0) << c.stored;
    }
    // Grouped and ordered by the case-folding collation too.
    db.exec("DELETE FROM mb_group; INSERT INTO mb_group VALUES (1, 'émile'), (2, 'Zoe'), (3, 'ÉMILE'), (4, "
            "'adam');");
    open("SELECT COUNT(group_id) AS group_dupp FROM mb_group WHERE group_name = ?", {"Émile"});
    EXPECT_EQ(q.FieldByName("group_dupp")->AsInteger(), 2);
    open("SELECT group_name FROM mb_group ORDER BY group_name, group_id");
    EXPECT_EQ(column(q, "group_name"), QStringList({"adam", "Zoe", "émile", "ÉMILE"}));
}

TEST_F(DataTest, LikePatternsKeepTheirWildcards)
{
    db.exec("INSERT INTO member (userid, name, note) VALUES (1, 'Ann', '100% sure'), (2, 'Anne', 'a_b'),"
            " (3, 'Jo', NULL), (4, 'Émilie', 'tante');");
    struct Case {
        QString pattern;
        QString column;
        QStringList names;
    };
    const Case cases[] = {
        {"an%", "name", {"Ann", "Anne"}}, {"%N", "name", {"Ann"}},
        {"a_n", "name", {"Ann"}},         {"%", "note", {"Ann", "Anne", "Émilie"}}, // NULL never matches
        {"%\\%%", "note", {"Ann"}},                                                 // with ESCAPE below
        {"a\\_b", "note", {"Anne"}},      {"%É%L%", "name", {"Émilie"}},
        {"É_ILIE", "name", {"Émilie"}},   {"", "name", {}},
    };
    for (const Case& c : cases) {
        const bool escaped = c.pattern.contains('\\');
        open(QString("SELECT name FROM member WHERE %1 LIKE ?%2 ORDER BY userid")
                 .arg(c.column, escaped ? " ESCAPE '\\'" : ""),
             {c.pattern});
        EXPECT_EQ(column(q, "name"), c.names) << c.pattern.toStdString();
    }
    // The guest list's search: the money column by its text, a NULL note skipped.
    db.exec("UPDATE member SET money = 1500 WHERE userid = 3");
    open(kSearch, SearchValues("50"));
    EXPECT_EQ(column(q, "name"), QStringList({"Jo"}));
    open(kSearch, SearchValues("ANT"));
    EXPECT_EQ(column(q, "name"), QStringList({"Émilie"}));
    // A pattern read from a column, row by row, beside a bound one.
    db.exec("UPDATE member SET note = 'a%' WHERE userid = 1; UPDATE member SET note = 'x%' WHERE userid = 2");
    open("SELECT name FROM member WHERE name LIKE note OR name LIKE ? ORDER BY userid", {"JO"});
    EXPECT_EQ(column(q, "name"), QStringList({"Ann", "Jo"}));
}

// An amount is searched as the engine writes it: digits, a leading minus, a point for a fraction.
TEST_F(DataTest, TheSearchFindsAmountsByTheirText)
{
    db.exec("INSERT INTO member (userid, name, money) VALUES (1, 'a', 1500), (2, 'b', -500), (3, 'c', 7),"
            " (4, 'd', 7.5), (5, 'e', NULL);");
    const struct {
        QString typed;
        QStringList names;
    } cases[] = {
        {"50", {"a", "b"}}, {"-5", {"b"}}, {"7", {"c", "d"}}, {"7.5", {"d"}},
        {".", {"d"}},       {"5a", {}},    {"1500 ", {}},     {"-", {"b"}},
    };
    for (const auto& c : cases) {
        open("SELECT name FROM member WHERE money LIKE ? OR money LIKE ? ORDER BY userid",
             {c.typed, "%" + c.typed + "%"});
        EXPECT_EQ(column(q, "name"), c.names) << c.typed.toStdString();
    }
}

TEST_F(DataTest, SearchesStayRightWhenSomeoneTracesTheConnection)
{
    // A trace hook set for debugging takes the engine's only trace slot.
    sqlite3_trace_v2(
        conn.Connect(), SQLITE_TRACE_STMT, [](unsigned, void*, void*, void*) { return 0; }, nullptr);
    db.exec(kGuests);
    const struct {
        QString typed;
        int found;
    } searches[] = {{"ann", 1}, {"zorn", 1}, {"cleo", 1}, {"15", 2}, {"a", 4}};
    for (int round = 0; round < 2; ++round)
        for (const auto& s : searches) {
            open(kSearch, SearchValues(s.typed));
            EXPECT_EQ(q.RecordCount(), s.found) << s.typed.toStdString();
        }
}

TEST_F(DataTest, HostileValuesNeverChangeAStatement)
{
    db.exec(kGuests);
    const QString before =
        db.scalar("SELECT group_concat(userid || name || lastname || ifnull(money, ''), '|') "
                  "FROM member WHERE userid <> 1");
    const QStringList hostile = {"\"",
                                 "\" OR 1=1 --",
                                 "' OR '1'='1",
                                 "x\"; DELETE FROM member; --",
                                 "Ann\" OR \"1\"=\"1",
                                 "%\"%",
                                 "); DROP TABLE member; --",
                                 "\\",
                                 "name",
                                 "NULL"};
    for (const QString& h : hostile) {
        // Searches find only texts that hold the value.
        open(kSearch, SearchValues(h));
        EXPECT_EQ(q.RecordCount(), 0) << h.toStdString();
        open("SELECT * FROM member WHERE name = ? AND lastname = ?", {h, h});
        EXPECT_EQ(q.RecordCount(), 0) << h.toStdString();

        // A stored value comes back unchanged and finds itself.
        open("SELECT * FROM member WHERE userid = 1");
        q.Edit();
        q.FieldByName("name")->SetAsString(h);
        q.Post();
        open("SELECT * FROM member WHERE name = ?", {h});
        ASSERT_EQ(q.RecordCount(), 1) << h.toStdString();
        EXPECT_EQ(q.FieldByName("name")->AsString(), h);

        // An UPDATE with the value touches only the row it names.
        q.SetSQL("UPDATE mb_group SET group_name = ? WHERE group_name = ?", {h, "Work"});
        q.ExecSQL();
        EXPECT_EQ(db.scalar("SELECT group_name FROM mb_group WHERE group_id = 2"), h);
        EXPECT_EQ(db.scalar("SELECT group_name FROM mb_group WHERE group_id = 1"), "Family");
        db.exec("UPDATE mb_group SET group_name = 'Work' WHERE group_id = 2;"
                "UPDATE member SET name = 'Ann' WHERE userid = 1");

        EXPECT_EQ(db.scalar("SELECT group_concat(userid || name || lastname || ifnull(money, ''), '|') "
                            "FROM member WHERE userid <> 1"),
                  before)
            << h.toStdString();
    }
    // A double-quoted word is a column name, never a text.
    EXPECT_EQ(FailureOf([&] { open("SELECT * FROM member WHERE name = \"Ann\""); }), "no such column: Ann");
}

// A column's pool gives back every text exactly as stored: texts that differ in one byte, in case,
// after a zero byte, or only in their length; the empty text; while its table grows, and once the
// column's texts turn out mostly distinct and it stops sharing them.
TEST(TextPoolTest, GivesBackEveryTextAsStored)
{
    QList<QByteArray> few = {"",
                             "Anna",
                             "anna",
                             "Annb",
                             "bnnA",
                             "Ann",
                             "Anna ",
                             "Ølstrøm",
                             QByteArray("a\0b", 3),
                             QByteArray("a\0c", 3)};
    for (int i = 0; i < 90; ++i)
        few << "Table " + QByteArray::number(i);
    QList<QByteArray> distinct;
    for (int i = 0; i < 600; ++i)
        distinct << "Guest " + QByteArray::number(i * 7919);
    const struct {
        const char* name;
        QList<QByteArray> texts;
    } cases[] = {{"repeated", few}, {"mostly distinct", distinct}};
    for (const auto& c : cases) {
        TextPool pool;
        for (int round = 0; round < 4; ++round)
            for (const QByteArray& t : c.texts) {
                const QVariant v = pool.Text(t.constData(), int(t.size()));
                ASSERT_EQ(v.typeId(), QMetaType::QString) << c.name;
                ASSERT_EQ(v.toString(), QString::fromUtf8(t)) << c.name << " round " << round;
            }
    }
}
