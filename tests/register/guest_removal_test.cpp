// Removing the current guest: the question, the answers, and what is not refreshed.
#include "register_fixture.h"
#include "toolkit/dbgrid.h"

namespace {

class GuestRemovalTest : public RegisterTest {};

// Moves the guest query to the guest with that key.
void go_to(int userid)
{
    TADOQuery* q = Form1->ADOQuery1;
    for (q->First(); !q->Eof() && q->FieldByName("userid")->AsInteger() != userid;)
        q->Next();
    ASSERT_EQ(q->FieldByName("userid")->AsInteger(), userid);
}

TEST_F(GuestRemovalTest, QuestionShowsTheStoredTextsAndOnlyYesDeletes)
{
    start_with("INSERT INTO member (userid, name, lastname, other_txt) VALUES "
               "(1, 'Ann', 'Lee', ' Bride''s aunt'), (2, 'Bob', '', '');"
               "INSERT INTO member (userid, name, lastname) VALUES (3, 'Cy', 'Oh');");
    struct Case {
        int userid;
        QString question;
    };
    const QString head = "Remove this data from the Guests list?\r\r";
    for (const Case& c :
         {Case{1, head + "Ann Lee\r Bride's aunt"}, Case{2, head + "Bob "}, Case{3, head + "Cy Oh"}}) {
        SCOPED_TRACE(c.userid);
        go_to(c.userid);
        for (bool yes : {false, true}) {
            dialogs.boxes.clear();
            dialogs.confirmAnswers = {yes};
            Form1->delClick(Form1);
            ASSERT_EQ(dialogs.boxes.size(), 1u);
            EXPECT_EQ(dialogs.boxes[0].text, c.question);
            EXPECT_EQ(dialogs.boxes[0].icon, TMsgIcon::Question);
            EXPECT_TRUE(Form1->DBGrid1->Focused());
            EXPECT_EQ(rows("SELECT COUNT(*) FROM member WHERE userid = " + QString::number(c.userid)),
                      QStringList{yes ? "0" : "1"});
            if (!yes)
                go_to(c.userid);
        }
    }
    EXPECT_TRUE(rows("SELECT userid FROM member").isEmpty());
}

TEST_F(GuestRemovalTest, FocusStaysInTheSearchBox)
{
    start_with("INSERT INTO member (userid, name, lastname) VALUES (1, 'Ann', 'Lee');");
    Form1->search_box->SetFocus();
    Form1->delClick(Form1);
    EXPECT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_TRUE(Form1->search_box->Focused());
}

TEST_F(GuestRemovalTest, NothingIsAskedWithoutACurrentGuest)
{
    start_with("INSERT INTO member (userid, name, lastname) VALUES (1, '  ', ' ');");
    dialogs.confirmAnswers = {true, true};
    Form1->delClick(Form1);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM member"), QStringList{"1"});

    folder.sql("DELETE FROM member;");
    Form1->list_allClick(Form1);
    Form1->delClick(Form1);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(GuestRemovalTest, TotalKeepsTheOldSumUntilTheNextBuild)
{
    start_with("INSERT INTO member (userid, name, lastname, money) VALUES (1, 'Ann', 'Lee', 100);"
               "INSERT INTO member (userid, name, lastname, money) VALUES (2, 'Bob', 'Ray', 50);");
    const QString before = Form1->Label14->Caption();
    go_to(1);
    dialogs.confirmAnswers = {true};
    Form1->delClick(Form1);
    EXPECT_EQ(listed(), QStringList{"Bob Ray"});
    EXPECT_EQ(Form1->Label14->Caption(), before);
    Form1->list_allClick(Form1);
    EXPECT_NE(Form1->Label14->Caption(), before);
}

} // namespace
