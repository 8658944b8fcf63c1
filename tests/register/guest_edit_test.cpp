// The "Data update" dialog: refusals, the group entry, duplicates, the rebuild rule and a failed write.
#include "guest_dialog_fixture.h"
#include "register/data_update_dialog.h"
#include "register/money_update.h"

#include <QTest>

namespace {

class GuestEditTest : public GuestDialogTest {
protected:
    static void open_edit(int userid)
    {
        go_to(userid);
        Form1->Button1Click(Form1);
        pump();
        ASSERT_TRUE(data_update->Visible());
    }

    static void type(const QString& n, const QString& l, const QString& o)
    {
        data_update->Edit1->SetText(n);
        data_update->Edit2->SetText(l);
        data_update->Edit3->SetText(o);
    }

    static QStringList entries()
    {
        QStringList out;
        for (int i = 0; i < data_update->name_group->Count(); ++i)
            out << data_update->name_group->Item(i);
        return out;
    }
};

TEST_F(GuestEditTest, SaveNeedsANameOrElseAnOtherTextAlone)
{
    start_with("INSERT INTO member (userid, name, lastname, other_txt) VALUES "
               "(1, 'Ann', 'Lee', 'a'), (2, 'Bob', 'Ray', 'b'), (3, 'Cid', 'Fox', 'c');");
    struct Refused {
        const char *name, *lastname, *other;
    };
    for (const Refused& c : {Refused{"", "", ""}, Refused{"", "Lee", ""}, Refused{"", "Lee", "x"}}) {
        SCOPED_TRACE(std::string(c.lastname) + "/" + c.other);
        dialogs.boxes.clear();
        open_edit(1);
        type(c.name, c.lastname, c.other);
        data_update->Edit3->SetFocus();
        data_update->ok->Click();
        EXPECT_EQ(dialogs.texts(), QStringList{"Please enter the data."});
        EXPECT_TRUE(data_update->Visible());
        EXPECT_TRUE(data_update->Edit1->Focused());
        data_update->cancel->Click();
    }
    EXPECT_EQ(stored(1, "name, lastname, other_txt"), "Ann|Lee|a");

    struct Accepted {
        int userid;
        const char *name, *lastname, *other, *row, *card;
    };
    for (const Accepted& c : {Accepted{2, "", "", " guest of honour", "||guest of honour", " "},
                              Accepted{3, "   ", "Fox", "", "|Fox|", " Fox"}}) {
        SCOPED_TRACE(c.row);
        dialogs.boxes.clear();
        open_edit(c.userid);
        type(c.name, c.lastname, c.other);
        data_update->ok->Click();
        EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.texts().join("; ").toStdString();
        EXPECT_FALSE(data_update->Visible());
        EXPECT_EQ(stored(c.userid, "name, lastname, other_txt"), c.row);
        EXPECT_EQ(Form1->Label1->Caption(), c.card);
    }
    // With a blank name line the guest is no longer current.
    go_to(2);
    Form1->Button1Click(Form1);
    Form1->Button5Click(Form1);
    EXPECT_FALSE(data_update->Visible());
    EXPECT_FALSE(Form7->Visible());
}

TEST_F(GuestEditTest, ShowsTheStoredGroupAndWritesTheChosenOneWithTrimmedTexts)
{
    start_with("INSERT INTO mb_group (group_id, group_name) VALUES (1, 'Work'), (2, 'Family');"
               "INSERT INTO member (userid, name, lastname, other_txt, note, group_id) VALUES "
               "(1, 'Ann', 'Lee', 'aunt', 'vegan', 0), (2, 'Bob', 'Ray', NULL, NULL, 9),"
               "(3, 'Cid', 'Fox', 'boss', '', 2);");
    struct Shown {
        int userid;
        QStringList boxes;
        QString entry, row_after_unchanged_save;
    };
    for (const Shown& c : {Shown{1, {"Ann", "Lee", "aunt", "vegan"}, "NONE GROUP", "0"},
                           Shown{2, {"Bob", "Ray", "", ""}, "NONE GROUP", "0"},
                           Shown{3, {"Cid", "Fox", "boss", ""}, "  Family", "2"}}) {
        SCOPED_TRACE(c.userid);
        open_edit(c.userid);
        EXPECT_EQ(entries(), QStringList({"NONE GROUP", "  Family", "  Work"}));
        EXPECT_EQ(data_update->name_group->Text(), c.entry);
        EXPECT_EQ(QStringList({data_update->Edit1->Text(), data_update->Edit2->Text(),
                               data_update->Edit3->Text(), data_update->Edit4->Text()}),
                  c.boxes);
        EXPECT_TRUE(data_update->Edit1->Focused());
        data_update->ok->Click();
        EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.texts().join("; ").toStdString();
        EXPECT_EQ(stored(c.userid, "group_id"), c.row_after_unchanged_save);
    }

    open_edit(1);
    type(" Ann\t", " Lee ", " the aunt ");
    data_update->Edit4->SetText("  no nuts ");
    data_update->name_group->SetItemIndex(2);
    data_update->ok->Click();
    EXPECT_EQ(stored(1, "name, lastname, other_txt, note, group_id"), "Ann|Lee|the aunt|no nuts|1");

    open_edit(3);
    data_update->name_group->SetItemIndex(0);
    data_update->ok->Click();
    EXPECT_EQ(stored(3, "group_id"), "0");
}

TEST_F(GuestEditTest, DuplicateOfAnotherGuestIsRefusedAsTypedButTheOwnRowIsNot)
{
    start_with("INSERT INTO member (userid, name, lastname, other_txt) VALUES "
               "(1, 'Ann', 'Lee', 'aunt'), (2, 'Ann', 'Lee', '');");
    open_edit(1);
    data_update->ok->Click();
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_FALSE(data_update->Visible());

    open_edit(2);
    data_update->Edit3->SetText("AUNT");
    data_update->ok->Click();
    EXPECT_EQ(dialogs.texts(), QStringList{"Data duplicates!"});
    EXPECT_TRUE(data_update->Visible());
    EXPECT_EQ(data_update->Edit3->Text(), "AUNT");
    EXPECT_EQ(stored(2, "other_txt"), "");

    // A blank in front makes it differ as typed; it is stored trimmed all the same.
    dialogs.boxes.clear();
    data_update->Edit3->SetText(" aunt");
    data_update->ok->Click();
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(stored(2, "other_txt"), "aunt");
}

TEST_F(GuestEditTest, ListIsRebuiltOnlyWhenTheGroupChangedUnderANarrowedFilter)
{
    start_with("INSERT INTO mb_group (group_id, group_name) VALUES (1, 'Family');"
               "INSERT INTO member (userid, name, lastname, group_id) VALUES (1, 'Ann', 'Lee', 1),"
               "(2, 'Bob', 'Ray', 0);");
    struct Case {
        int filter; // List All, NONE GROUP, Family
        int userid;
        int entry; // the dialog's NONE GROUP or Family
        bool rebuilt;
    };
    for (const Case& c : {Case{0, 1, 0, false}, Case{2, 1, 0, true}, Case{1, 2, 1, true},
                          Case{2, 1, 1, false}, Case{1, 2, 0, false}}) {
        SCOPED_TRACE(testing::Message()
                     << "filter " << c.filter << " guest " << c.userid << " entry " << c.entry);
        folder.sql("UPDATE member SET group_id = userid % 2; DELETE FROM member WHERE name = 'Zed';");
        choose(c.filter);
        open_edit(c.userid);
        // A guest added behind the program's back shows only in a rebuilt list.
        folder.sql(QString("INSERT INTO member (userid, name, group_id) VALUES (9, 'Zed', %1);")
                       .arg(c.filter == 2 ? 1 : 0));
        data_update->name_group->SetItemIndex(c.entry);
        data_update->Edit4->SetText("edited");
        data_update->ok->Click();
        EXPECT_EQ(listed().contains("Zed "), c.rebuilt) << listed().join(", ").toStdString();
        EXPECT_EQ(stored(c.userid, "group_id, note"), QString("%1|edited").arg(c.entry));
        if (!c.rebuilt) {
            EXPECT_EQ(Form1->ADOQuery1->FieldByName("userid")->AsInteger(), c.userid);
            EXPECT_EQ(Form1->ADOQuery1->FieldByName("group_id")->AsInteger(), c.entry);
        }
    }
}

TEST_F(GuestEditTest, NamesakesEachShowTheirOwnGroupAndAnUntouchedSaveKeepsIt)
{
    start_with("INSERT INTO mb_group (group_id, group_name) VALUES (1, 'Work'), (2, 'Family');"
               "INSERT INTO member (userid, name, lastname, other_txt, group_id) VALUES "
               "(1, 'ann', 'LEE', 'aunt', 2), (2, 'Ann', 'Lee', 'niece', 1);");
    for (const auto& [userid, group] : {std::pair{2, "Work"}, std::pair{1, "Family"}}) {
        SCOPED_TRACE(userid);
        open_edit(userid);
        EXPECT_EQ(data_update->name_group->Text(), QString("  ") + group);
        data_update->ok->Click();
        EXPECT_EQ(stored(userid, "group_id"), QString::number(3 - userid));
    }
}

TEST_F(GuestEditTest, FailedWriteClosesAndShowsWhatTheDatabaseHolds)
{
    start_with("INSERT INTO member (userid, name, lastname) VALUES (1, 'Ann', 'Lee');");
    open_edit(1);
    folder.sql("CREATE TRIGGER no_edit BEFORE UPDATE ON member BEGIN SELECT RAISE(ABORT, 'read only'); END;");
    Form1->stop_page_now->SetText("");
    data_update->Edit1->SetText("Anna");
    Dispatch([] { data_update->ok->Click(); });
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].icon, TMsgIcon::Error);
    EXPECT_TRUE(dialogs.boxes[0].text.contains("read only")) << dialogs.boxes[0].text.toStdString();
    EXPECT_FALSE(data_update->Visible());
    EXPECT_TRUE(Form1->Enabled());
    EXPECT_EQ(Form1->stop_page_now->Text(), "close");
    EXPECT_EQ(Form1->ADOQuery1->State(), dsBrowse);
    EXPECT_EQ(Form1->ADOQuery1->FieldByName("name")->AsString(), "Ann");
    EXPECT_EQ(Form1->Label1->Caption(), "Ann Lee");
    EXPECT_EQ(stored(1, "name"), "Ann");
}

TEST_F(GuestEditTest, EnterInEachBoxSavesAndTheGroupListReturnsTheFocus)
{
    start_with("INSERT INTO member (userid, name, lastname) VALUES (1, 'Ann', 'Lee');");
    TLabeledEdit* const boxes[] = {data_update->Edit1, data_update->Edit2, data_update->Edit3,
                                   data_update->Edit4};
    for (TLabeledEdit* box : boxes) {
        SCOPED_TRACE(box->Name.toStdString());
        open_edit(1);
        data_update->Edit4->SetText(box->Name);
        box->SetFocus();
        QTest::keyClick(box->Handle(), Qt::Key_Return);
        pump();
        EXPECT_FALSE(data_update->Visible());
        EXPECT_EQ(stored(1, "note"), box->Name);
    }
    open_edit(1);
    data_update->Edit4->SetFocus();
    data_update->name_group->OnCloseUp(data_update->name_group);
    EXPECT_TRUE(data_update->Edit1->Focused());
}

TEST_F(GuestEditTest, OpenersDoNothingOnAnEmptyList)
{
    start_with("");
    Form1->Button1Click(Form1);
    Form1->Button5Click(Form1);
    EXPECT_FALSE(data_update->Visible());
    EXPECT_FALSE(Form7->Visible());
    EXPECT_TRUE(Form1->Enabled());
}

} // namespace
