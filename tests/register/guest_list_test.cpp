// The guest list: the statement and its values, the search, the money total and "List all".
#include "register/money_text.h"
#include "register/register_fixture.h"
#include "system/sysutils.h"
#include "toolkit/dbgrid.h"

#include <QLocale>

namespace {

const QString kCondition =
    " (name like ? or lastname like ? or other_txt like ? or money like ? or note like ?"
    " or name like ? or lastname like ? or other_txt like ? or money like ? or note like ?)";

// The values of the search condition for a text: five times as typed, then five times within.
QStringList searched(const QString& s)
{
    const QString within = "%" + s + "%";
    return {s, s, s, s, s, within, within, within, within, within};
}

// Filter entries in name order: 2 Empty (3), 3 Family (1), 4 Work (2).
class GuestListTest : public RegisterTest {
protected:
    void SetUp() override
    {
        RegisterTest::SetUp();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        start_with("INSERT INTO mb_group VALUES (1, 'Family'), (2, 'Work'), (3, 'Empty');"
                   "INSERT INTO member (userid, name, lastname, other_txt, note, money, group_id) VALUES"
                   " (1, 'Anna', 'Berg', 'Table 1', 'vegan', 1500, 1),"
                   " (2, 'Ånund', 'Östberg', 'Ålesund', NULL, NULL, 0),"
                   " (3, 'Bob', 'Stone', 'Say \"hi\"', NULL, 500, 0),"
                   " (4, 'Carl', 'Lind', NULL, 'late', 12000, 2),"
                   " (5, 'Dora', 'Kaye', '', '', NULL, NULL);");
    }
    static void type(const QString& text) { Form1->search_box->SetText(text); }
};

TEST_F(GuestListTest, EachFilterEntryAndSearchTextGiveTheirStatementAndValues)
{
    const struct {
        int entry;
        QString text, sql;
        QStringList values;
    } cases[] = {
        {0, "", "SELECT * FROM member ", {}},
        {0, "   ", "SELECT * FROM member ", {}},
        {0, " an", "SELECT * FROM member WHERE" + kCondition, searched(" an")},
        {1, "", "SELECT * FROM member WHERE group_id = 0", {}},
        {1, "an", "SELECT * FROM member WHERE" + kCondition + " AND group_id = 0", searched("an")},
        {3, "\t", "SELECT * FROM member WHERE group_id = ?", {"1"}},
        {4, "an", "SELECT * FROM member WHERE" + kCondition + " AND group_id = ?", searched("an") << "2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QString("entry %1, text '%2'").arg(c.entry).arg(c.text).toStdString());
        type(c.text);
        choose(c.entry);
        EXPECT_EQ(Form1->ADOQuery1->SQLText(), c.sql);
        EXPECT_EQ(value_texts(Form1->ADOQuery1->Parameters()), c.values);
        EXPECT_EQ(Unit1::member_sql, c.sql);
    }
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.texts().join("; ").toStdString();
}

// The total that the total's own statement gives for the present search and filter: SUM(money)
// under the search filter, and "group_id = " the looked-up key for entry 1 and on.
QString total_by_statement()
{
    TADOQuery q("check");
    q.SetConnection(Form1->ADOConnection1);
    if (Unit1::group_id_sel >= 0 && Form1->name_group->ItemIndex() >= 1)
        q.SetSQL("SELECT SUM(money) AS total_money FROM member WHERE" + Unit1::search_filter + "group_id = ?",
                 Unit1::search_filter_values + QVariantList{Unit1::group_id_sel});
    else
        q.SetSQL("SELECT SUM(money) AS total_money FROM member" + Unit1::search_filter,
                 Unit1::search_filter_values);
    q.Open();
    return Trim(money_text(q.FieldByName("total_money")->AsCurrency())) + ".-";
}

TEST_F(GuestListTest, TheTotalIsWhatItsStatementGivesForEveryFilterAndSearch)
{
    // Huge and fractional amounts, and a group named like the "no group" entry: entries are then
    // 2 Empty (3), 3 Family (1), 4 NONE GROUP (5), 5 Work (2).
    folder.sql("INSERT INTO mb_group VALUES (5, 'NONE GROUP');"
               "INSERT INTO member (userid, name, lastname, money, group_id) VALUES"
               " (6, 'Huge', 'One', 4611686018427387904, 1), (7, 'Huge', 'Two', 99999999999999, 0),"
               " (8, 'Half', 'Way', 250.5, 2), (9, 'Far', 'Out', 1e20, 5), (10, 'Named', 'None', 7, 5);");
    Form1->group_list(Form1);
    ASSERT_EQ(entries()[4], "  NONE GROUP");
    const int entries[] = {0, 1, 2, 3, 4, 5};
    const QString texts[] = {"", "  ", "a", "500", "99", "huge", "zzz"};
    for (int entry : entries)
        for (const QString& text : texts) {
            SCOPED_TRACE(QString("entry %1, text '%2'").arg(entry).arg(text).toStdString());
            choose(entry);
            type(text);
            EXPECT_EQ(Form1->Label14->Caption(), total_by_statement());
        }

    // Family's key goes: the list keeps its statement while the total covers "group_id = 0".
    choose(3);
    folder.sql("DELETE FROM mb_group WHERE group_id = 1;");
    for (const QString& text : texts) {
        SCOPED_TRACE(QString("missing key, text '%1'").arg(text).toStdString());
        type(text);
        ASSERT_EQ(Unit1::group_id_sel, 0);
        EXPECT_EQ(Form1->Label14->Caption(), total_by_statement());
    }
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.texts().join("; ").toStdString();
}

TEST_F(GuestListTest, AGroupEntryWhoseGroupIsGoneKeepsThePreviousStatement)
{
    choose(3);
    folder.sql("DELETE FROM mb_group WHERE group_id = 1;");
    type("an");
    EXPECT_EQ(Unit1::group_id_sel, 0);
    EXPECT_EQ(Form1->ADOQuery1->SQLText(), "SELECT * FROM member WHERE group_id = ?");
    EXPECT_EQ(value_texts(Form1->ADOQuery1->Parameters()), QStringList{"1"});
    EXPECT_EQ(listed(), QStringList{"Anna Berg"});
}

TEST_F(GuestListTest, SearchMatchesAnyColumnIgnoringCaseAndTotalsWhatItLists)
{
    const struct {
        QString text;
        QStringList guests;
        QString total;
    } cases[] = {
        {"anna", {"Anna Berg"}, "1,500.-"},
        {"ÅNUND", {"Ånund Östberg"}, "0.-"},
        {"500", {"Anna Berg", "Bob Stone"}, "2,000.-"},      // a part of an amount
        {"berg", {"Anna Berg", "Ånund Östberg"}, "1,500.-"}, // Östberg has no note
        {" 1", {"Anna Berg"}, "1,500.-"},                    // the leading blank counts
        {"\"hi\"", {"Bob Stone"}, "500.-"},                  // a quote is only a character
        {"LATE", {"Carl Lind"}, "12,000.-"},
        {"zzz", {}, "0.-"},
        {"  ", {"Anna Berg", "Ånund Östberg", "Bob Stone", "Carl Lind", "Dora Kaye"}, "14,000.-"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        type(c.text);
        EXPECT_EQ(listed(), c.guests);
        EXPECT_EQ(Form1->Label14->Caption(), c.total);
    }
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.texts().join("; ").toStdString();
}

TEST_F(GuestListTest, TheTotalIsTheTrueSumOfTheLargestAmounts)
{
    folder.sql("DELETE FROM member;"
               "WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < 10)"
               " INSERT INTO member (userid, name, money) SELECT k, 'Guest', 99999999999999 FROM n;");
    type("guest");
    EXPECT_EQ(listed().size(), 10);
    EXPECT_EQ(Form1->Label14->Caption(), "999,999,999,999,990.-");
}

TEST_F(GuestListTest, GroupEntriesListTheirGuestsAndTotals)
{
    const struct {
        int entry;
        QString text;
        QStringList guests;
        QString total;
    } cases[] = {
        {1, "", {"Ånund Östberg", "Bob Stone"}, "500.-"}, // a NULL group is not "no group"
        {3, "", {"Anna Berg"}, "1,500.-"},
        {2, "", {}, "0.-"},
        {4, "a", {"Carl Lind"}, "12,000.-"},
        {4, "b", {}, "0.-"},
        {0, "", {"Anna Berg", "Ånund Östberg", "Bob Stone", "Carl Lind", "Dora Kaye"}, "14,000.-"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        type(c.text);
        choose(c.entry);
        EXPECT_EQ(listed(), c.guests);
        EXPECT_EQ(Form1->Label14->Caption(), c.total);
    }
}

TEST_F(GuestListTest, TypingKeepsTheFocusInTheSearchBox)
{
    Form1->search_box->SetFocus();
    ASSERT_TRUE(Form1->search_box->Focused());
    type("a");
    EXPECT_TRUE(Form1->search_box->Focused());
    EXPECT_EQ(listed().size(), 4);
}

TEST_F(GuestListTest, ListAllEndsWithAnEmptySearchAndEveryGuest)
{
    choose(4);
    type("carl");
    ASSERT_EQ(listed(), QStringList{"Carl Lind"});
    Form1->list_show_all->OnClick(Form1->list_show_all);
    EXPECT_EQ(Form1->search_box->Text(), "");
    EXPECT_EQ(Form1->name_group->ItemIndex(), 0);
    EXPECT_EQ(listed().size(), 5);
    EXPECT_EQ(Form1->Label14->Caption(), "14,000.-");
}

TEST_F(GuestListTest, TheGridShowsPositiveAmountsOnly)
{
    folder.sql("INSERT INTO member (userid, name, money) VALUES (6, 'Zero', 0), (7, 'Owes', -5);");
    type("o");
    TADOQuery* q = Form1->ADOQuery1;
    QStringList cells;
    for (int r = 0; r < q->RecordCount(); ++r)
        cells << q->ValueAt(r, q->FieldByName("name")).toString() + "=" +
                     q->DisplayTextAt(r, q->FieldByName("money"));
    EXPECT_EQ(cells, (QStringList{"Bob=500", "Dora=", "Owes=", "Zero="}));
}

TEST_F(GuestListTest, NothingIsSearchedBeforeTheFirstGuestCount)
{
    Form1->Label12->SetCaption("");
    const QString before = Form1->ADOQuery1->SQLText();
    type("anna");
    EXPECT_EQ(Form1->ADOQuery1->SQLText(), before);
    EXPECT_EQ(listed().size(), 5);
}

} // namespace
