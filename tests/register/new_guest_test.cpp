// The "New" dialog: refusals, keys, keyboard, and where the new row lands.
#include "register/Unit3.h"
#include "register_fixture.h"

#include <QTest>

namespace {

class NewGuestTest : public RegisterTest {
protected:
    static void open_and_type(const QString& n, const QString& l = {}, const QString& o = {})
    {
        Form1->add_newClick(Form1);
        pump();
        Form3->name->SetText(n);
        Form3->lastname->SetText(l);
        Form3->other_txt->SetText(o);
    }
};

TEST_F(NewGuestTest, BlankNameIsRefusedSilentlyWithTheFocusInTheNameBox)
{
    start_with("INSERT INTO member (userid, name, lastname) VALUES (1, 'Ann', 'Lee');");
    open_and_type(" \t ", "Lee", "x");
    Form3->lastname->SetFocus();
    Form3->ok->Click();
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_TRUE(Form3->Visible());
    EXPECT_TRUE(Form3->name->Focused());
    EXPECT_EQ(rows("SELECT COUNT(*) FROM member"), QStringList{"1"});
}

TEST_F(NewGuestTest, DuplicatesAreComparedAsTypedIgnoringCase)
{
    start_with("INSERT INTO member (userid, name, lastname, other_txt) VALUES (1, 'Ann', 'Lee', 'aunt');");
    struct Case {
        const char *name, *lastname, *other;
        bool refused;
    };
    for (const Case& c : {Case{"Ann", "Lee", "aunt", true}, Case{"aNN", "LEE", "Aunt", true},
                          Case{"Ann", "Lee", "", false}, Case{" Ann", "Lee", "aunt", false}}) {
        SCOPED_TRACE(c.name + std::string("/") + c.other);
        dialogs.boxes.clear();
        open_and_type(c.name, c.lastname, c.other);
        Form3->ok->Click();
        if (c.refused) {
            EXPECT_EQ(dialogs.texts(), QStringList{"Data duplicates!"});
            EXPECT_TRUE(Form3->Visible());
            EXPECT_EQ(Form3->name->Text(), c.name);
            Form3->cancel->Click();
        } else {
            EXPECT_TRUE(dialogs.boxes.empty());
            EXPECT_FALSE(Form3->Visible());
        }
    }
    // The name typed with a blank is stored trimmed, equal to the first row.
    EXPECT_EQ(rows("SELECT userid, name, lastname, other_txt FROM member ORDER BY userid"),
              QStringList({"1|Ann|Lee|aunt", "2|Ann|Lee|", "3|Ann|Lee|aunt"}));
}

TEST_F(NewGuestTest, KeyIsHighestPlusOneAndAFreedHighestKeyIsGivenAgain)
{
    start_with("");
    open_and_type("First");
    Form3->ok->Click();
    folder.sql("INSERT INTO member (userid, name) VALUES (7, 'Seven');");
    open_and_type("Eighth");
    Form3->ok->Click();
    folder.sql("DELETE FROM member WHERE userid = 8;");
    open_and_type("Again", "  Doe  ", " x ");
    Form3->ok->Click();
    EXPECT_EQ(rows("SELECT userid, name, lastname, other_txt FROM member ORDER BY userid"),
              QStringList({"1|First||", "7|Seven||", "8|Again|Doe|x"}));
}

TEST_F(NewGuestTest, EnterSavesAndEscCancelsInEachBoxWhichOpenEmpty)
{
    start_with("");
    int saved = 0;
    for (TLabeledEdit* box : {Form3->name, Form3->lastname, Form3->other_txt}) {
        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
            SCOPED_TRACE(box->Name.toStdString() + (key == Qt::Key_Return ? " Enter" : " Esc"));
            Form1->add_newClick(Form1);
            pump();
            EXPECT_TRUE(Form3->name->Focused());
            for (TLabeledEdit* b : {Form3->name, Form3->lastname, Form3->other_txt})
                EXPECT_EQ(b->Text(), "");
            Form3->name->SetText("Guest" + QString::number(saved));
            Form3->other_txt->SetText("o");
            QTest::keyClick(box->Handle(), key);
            pump();
            EXPECT_FALSE(Form3->Visible());
            EXPECT_TRUE(Form1->Enabled());
            if (key == Qt::Key_Return)
                ++saved;
            EXPECT_EQ(rows("SELECT COUNT(*) FROM member"), QStringList{QString::number(saved)});
        }
    }
}

TEST_F(NewGuestTest, NewRowJoinsTheCurrentListAtItsEndAndTheCardShowsIt)
{
    start_with("INSERT INTO mb_group (group_id, group_name) VALUES (1, 'Family');"
               "INSERT INTO member (userid, name, lastname, group_id) VALUES (1, 'Ann', 'Lee', 1),"
               " (2, 'Bob', 'Ray', 0), (3, 'Zed', 'Ox', 1);");
    choose(2);
    ASSERT_EQ(listed(), QStringList({"Ann Lee", "Zed Ox"}));
    Form1->ADOQuery1->First();
    open_and_type(" Cleo ", "Moss");
    Form3->ok->Click();
    // The new row joins at the end, out of name order and although it is in no group; no
    // re-query brought Bob in.
    EXPECT_EQ(listed(), QStringList({"Ann Lee", "Zed Ox", "Cleo Moss"}));
    EXPECT_EQ(Form1->Label1->Caption(), "Cleo Moss");
}

TEST_F(NewGuestTest, AFailedSaveLeavesNoRowBehindAndTheDialogOpen)
{
    start_with("INSERT INTO member (userid, name, lastname) VALUES (1, 'Ann', 'Lee'), (2, 'Bob', 'Ray');");
    Form1->ADOQuery1->First();
    folder.sql("CREATE TRIGGER no_new BEFORE INSERT ON member BEGIN SELECT RAISE(ABORT, 'read only'); END;");
    open_and_type("Cleo", "Moss");
    Dispatch([] { Form3->ok->Click(); });
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_TRUE(dialogs.boxes[0].text.contains("read only")) << dialogs.boxes[0].text.toStdString();
    EXPECT_TRUE(Form3->Visible());
    EXPECT_EQ(Form1->ADOQuery1->State(), dsBrowse);
    EXPECT_EQ(listed(), QStringList({"Ann Lee", "Bob Ray"}));
    EXPECT_EQ(Form1->Label1->Caption(), "Ann Lee");
    EXPECT_EQ(Form1->Label12->Caption(), "2");
    Form3->cancel->Click();
}

} // namespace
