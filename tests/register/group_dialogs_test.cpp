// Creating, renaming and deleting groups through their dialogs and buttons.
#include "register/Unit4.h"
#include "register/Unit5.h"
#include "register_fixture.h"
#include "toolkit/dbgrid.h"

namespace {

using Unit1::group_id_sel;

class GroupDialogsTest : public RegisterTest {
protected:
    static void create_group(const QString& typed)
    {
        Form1->NewGroupClick(Form1);
        pump();
        Form4->Edit1->SetText(typed);
        Form4->Button1->Click();
    }
    static void rename_selected(const QString& typed)
    {
        Form1->edit_groupClick(Form1);
        pump();
        Form5->Edit1->SetText(typed);
        Form5->Button1->Click();
    }
    static QStringList groups()
    {
        return rows("SELECT group_id, group_name FROM mb_group ORDER BY group_id");
    }
    static QStringList guest_groups() { return rows("SELECT userid, group_id FROM member ORDER BY userid"); }
};

TEST_F(GroupDialogsTest, NewGroupIsStoredTrimmedSelectedAndListedEmpty)
{
    start_with("INSERT INTO mb_group (group_id, group_name) VALUES (1, 'Bride'), (3, 'Work');"
               "INSERT INTO member (userid, name, lastname, group_id) VALUES (1, 'Ann', 'Lee', 0);");
    create_group("  Cousins \t");
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_FALSE(Form4->Visible());
    EXPECT_EQ(Form4->Edit1->Text(), "");
    EXPECT_EQ(groups(), QStringList({"1|Bride", "3|Work", "4|Cousins"}));
    EXPECT_EQ(entries(), QStringList({"List All", "NONE GROUP", "  Bride", "  Cousins", "  Work"}));
    EXPECT_EQ(Form1->name_group->ItemIndex(), 3);
    EXPECT_EQ(group_id_sel, 4);
    EXPECT_EQ(Form1->group_id_now->Text(), "4");
    EXPECT_EQ(Form1->new_group_name->Text(), "");
    EXPECT_TRUE(listed().isEmpty());
}

TEST_F(GroupDialogsTest, NewGroupKeysAndTheDuplicateCheckOnTheTrimmedName)
{
    start_with("INSERT INTO member (userid, name, lastname, group_id) VALUES (1, 'Ann', 'Lee', 2);");
    create_group("Work");
    EXPECT_EQ(groups(), QStringList{"1|Work"});

    struct Case {
        QString typed;
        bool refused;
    };
    for (const Case& c : {Case{"Work", true}, Case{"wORK", true}, Case{" ", false}, Case{" Work", true},
                          Case{"Work\t", true}}) {
        SCOPED_TRACE(c.typed.toStdString());
        dialogs.boxes.clear();
        create_group(c.typed);
        EXPECT_EQ(dialogs.texts(), c.refused ? QStringList{"Data duplicates!"} : QStringList{});
        // A blank name keeps the dialog open as well, without a message.
        EXPECT_TRUE(Form4->Visible());
        EXPECT_EQ(Form4->Edit1->Text(), c.typed);
        Form4->Cancel->Click();
    }
    EXPECT_EQ(groups(), QStringList{"1|Work"});

    // The highest key, once deleted, is given out again, and the new group starts without guests.
    create_group("Band");
    ASSERT_EQ(group_id_sel, 2);
    EXPECT_EQ(listed(), QStringList{"Ann Lee"});
    dialogs.confirmAnswers = {true};
    Form1->group_deleteClick(Form1);
    create_group("Choir");
    EXPECT_EQ(groups(), QStringList({"1|Work", "2|Choir"}));
    EXPECT_EQ(guest_groups(), QStringList{"1|0"});
    EXPECT_TRUE(listed().isEmpty());
}

TEST_F(GroupDialogsTest, RenameReplacesTheEntryInPlaceAndRefusesAnUnchangedName)
{
    start_with("INSERT INTO mb_group (group_id, group_name) VALUES (1, 'Bride'), (2, 'Family'), (3, 'Work');"
               "INSERT INTO member (userid, name, lastname, group_id) VALUES (1, 'Ann', 'Lee', 2);");
    choose(3);
    Form1->edit_groupClick(Form1);
    pump();
    EXPECT_EQ(Form5->Edit1->Text(), "Family");
    Form5->Button1->Click();
    EXPECT_EQ(dialogs.texts(), QStringList{"Data duplicates!"});
    EXPECT_TRUE(Form5->Visible());
    Form5->Cancel->Click();

    dialogs.boxes.clear();
    rename_selected(" Zoo ");
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_FALSE(Form5->Visible());
    EXPECT_EQ(groups(), QStringList({"1|Bride", "2|Zoo", "3|Work"}));
    EXPECT_EQ(entries(), QStringList({"List All", "NONE GROUP", "  Bride", "  Zoo", "  Work"}));
    EXPECT_EQ(Form1->name_group->ItemIndex(), 3);
    EXPECT_EQ(group_id_sel, 2);
    EXPECT_EQ(Form1->group_id_now->Text(), "2");
    EXPECT_EQ(listed(), QStringList{"Ann Lee"});
}

TEST_F(GroupDialogsTest, RenameWithoutAKeyShowsTheConversionErrorAndChangesNoGroup)
{
    start_with("INSERT INTO mb_group (group_id, group_name) VALUES (1, 'Bride'), (2, 'Family');");
    // A rename of Bride first, so that an earlier key stands.
    choose(2);
    rename_selected("Aunts");
    ASSERT_EQ(groups(), QStringList({"1|Aunts", "2|Family"}));

    choose(3);
    Form1->group_id_now->SetText("");
    dialogs.boxes.clear();
    Form1->edit_groupClick(Form1);
    pump();
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, "'' is not a valid integer value.");
    EXPECT_EQ(dialogs.boxes[0].icon, TMsgIcon::Error);
    EXPECT_TRUE(Form5->Visible());
    EXPECT_EQ(Form5->Edit1->Text(), "");
    Form5->Edit1->SetText("Other");
    Form5->Button1->Click();
    EXPECT_EQ(groups(), QStringList({"1|Aunts", "2|Family"}));
    EXPECT_EQ(entries().at(3), "  Family");
    Form5->Cancel->Click();
}

TEST_F(GroupDialogsTest, DeleteMovesTheGuestsToNoGroupAndShowsListAll)
{
    start_with("INSERT INTO mb_group (group_id, group_name) VALUES (1, 'Bride'), (2, 'Family');"
               "INSERT INTO member (userid, name, lastname, group_id) VALUES (1, 'Ann', 'Lee', 2),"
               "(2, 'Bob', 'Ray', 1), (3, 'Cy', 'Oh', 2);");
    choose(3);
    dialogs.confirmAnswers = {false};
    Form1->group_deleteClick(Form1);
    EXPECT_EQ(dialogs.texts(), QStringList{"Group Name Delete: \r\r\"Family\" from the system?"});
    EXPECT_EQ(groups(), QStringList({"1|Bride", "2|Family"}));
    EXPECT_TRUE(Form1->DBGrid1->Focused());

    dialogs.confirmAnswers = {true};
    Form1->group_deleteClick(Form1);
    EXPECT_EQ(groups(), QStringList{"1|Bride"});
    EXPECT_EQ(guest_groups(), QStringList({"1|0", "2|1", "3|0"}));
    EXPECT_EQ(entries(), QStringList({"List All", "NONE GROUP", "  Bride"}));
    EXPECT_EQ(Form1->name_group->ItemIndex(), 0);
    EXPECT_EQ(group_id_sel, 0);
    EXPECT_EQ(Form1->group_id_now->Text(), "");
    // The list was read after the move: no row carries the deleted key.
    TADOQuery* q = Form1->ADOQuery1;
    ASSERT_EQ(q->RecordCount(), 3);
    for (int r = 0; r < 3; ++r)
        EXPECT_NE(q->ValueAt(r, q->FieldByName("group_id")).toInt(), 2);

    choose(1);
    EXPECT_EQ(listed(), QStringList({"Ann Lee", "Cy Oh"}));
}

TEST_F(GroupDialogsTest, FixedEntriesRefuseRenameAndDelete)
{
    start_with("INSERT INTO mb_group (group_id, group_name) VALUES (1, 'Bride');"
               "INSERT INTO member (userid, name, lastname, group_id) VALUES (1, 'Ann', 'Lee', 1);");
    for (int index : {0, 1}) {
        choose(index);
        dialogs.confirmAnswers = {true};
        Form1->edit_groupClick(Form1);
        Form1->group_deleteClick(Form1);
    }
    const QString update = "Please select the Group Name to Update.";
    const QString remove = "Please select the Group Name to remove.";
    EXPECT_EQ(dialogs.texts(), QStringList({update, remove, update, remove}));
    EXPECT_FALSE(Form5->Visible());
    EXPECT_EQ(groups(), QStringList{"1|Bride"});
    EXPECT_EQ(guest_groups(), QStringList{"1|1"});
}

TEST_F(GroupDialogsTest, NamesWithQuotesAndStatementFragmentsTouchOnlyTheirRow)
{
    start_with("INSERT INTO mb_group (group_id, group_name) VALUES (1, 'Bride');"
               "INSERT INTO member (userid, name, lastname, group_id) VALUES (1, 'Ann', 'Lee', 1);");
    const QString quoted = "x\" OR \"1\"=\"1", dropped = "y'); DELETE FROM mb_group; --";
    create_group(quoted);
    EXPECT_EQ(group_id_sel, 2);
    create_group(dropped);
    EXPECT_EQ(group_id_sel, 3);
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.texts().join("; ").toStdString();
    EXPECT_EQ(groups(), QStringList({"1|Bride", "2|" + quoted, "3|" + dropped}));

    const int at = entries().indexOf("  " + quoted);
    ASSERT_GT(at, 1);
    choose(at);
    rename_selected("z\" WHERE 1=1 OR \"");
    EXPECT_EQ(groups(), QStringList({"1|Bride", "2|z\" WHERE 1=1 OR \"", "3|" + dropped}));

    choose(entries().indexOf("  " + dropped));
    ASSERT_EQ(group_id_sel, 3);
    dialogs.confirmAnswers = {true};
    Form1->group_deleteClick(Form1);
    EXPECT_EQ(groups(), QStringList({"1|Bride", "2|z\" WHERE 1=1 OR \""}));
    EXPECT_EQ(guest_groups(), QStringList{"1|1"});
}

} // namespace
