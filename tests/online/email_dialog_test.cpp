// The e-mail dialog up to the page: filling, checking, storing, the closes.
#include "email_dialog_fixture.h"
#include "online/Unit8.h"
#include "toolkit/dbgrid.h"

#include <QTest>

namespace {

TEST_F(EmailDialogTest, FillsFromTheCurrentRowWithTheAddressInLowerCase)
{
    start_with("INSERT INTO member (userid, name, lastname, other_txt, email) VALUES "
               "(1, 'Ann', 'Lee', ' aunt ', ' Ann.LEE@Example.COM'), (2, 'Bob', '', NULL, NULL);");
    open_email(1);
    EXPECT_EQ(Form8->name_lastname->Caption(), "Ann Lee");
    EXPECT_EQ(Form8->other_text->Caption(), " aunt ");
    EXPECT_EQ(Form8->email->Text(), " ann.lee@example.com");
    EXPECT_TRUE(Form8->email->Focused());
    Form8->Button2->Click();
    open_email(2);
    EXPECT_EQ(Form8->name_lastname->Caption(), "Bob");
    EXPECT_EQ(Form8->other_text->Caption(), "");
    EXPECT_EQ(Form8->email->Text(), "");
}

TEST_F(EmailDialogTest, RefusedAddressStoresNothingAndKeepsTheDialogOpen)
{
    start_with(
        "INSERT INTO member (userid, name, lastname, email) VALUES (1, 'Ann', 'Lee', 'old@example.com');");
    for (const char* typed : {"", "ann lee@example.com", "Ann+1@Example.com"}) {
        SCOPED_TRACE(typed);
        dialogs.boxes.clear();
        open_email(1);
        Form8->email->SetText(typed);
        Form8->Button1->SetFocus();
        Form8->Button1->Click();
        EXPECT_EQ(dialogs.texts(), QStringList{"Invalid Email Address."});
        EXPECT_TRUE(Form8->Visible());
        EXPECT_TRUE(Form8->email->Focused());
        EXPECT_EQ(Form8->email->Text(), typed);
        EXPECT_EQ(stored(1, "email"), "old@example.com");
        Form8->Button2->Click();
    }
}

TEST_F(EmailDialogTest, EveryCloseStoresNothing)
{
    start_with(
        "INSERT INTO member (userid, name, lastname, email) VALUES (1, 'Ann', 'Lee', 'old@example.com');");
    const std::vector<std::pair<const char*, std::function<void()>>> closes = {
        {"Cancel", [] { Form8->Button2->Click(); }},
        {"Esc", [] { QTest::keyClick(Form8->email->Handle(), Qt::Key_Escape); }},
        {"close box", [] { Form8->Close(); }},
    };
    for (const auto& [name, close] : closes) {
        SCOPED_TRACE(name);
        Form1->stop_page_now->SetText("");
        open_email(1);
        Form8->email->SetText("new@example.com");
        close();
        pump();
        expect_closed();
        EXPECT_EQ(stored(1, "email"), "old@example.com");
    }
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.texts().join("; ").toStdString();
}

TEST_F(EmailDialogTest, OpenersNeedACurrentGuest)
{
    start_with("INSERT INTO member (userid, name, lastname) VALUES (1, ' ', ' '), (2, 'Ann', 'Lee');");
    go_to(1);
    Form1->email_imgClick(Form1);
    Form1->EmailCompose1->Click();
    pump();
    EXPECT_FALSE(Form8->Visible());
    EXPECT_TRUE(Form1->Enabled());
    // The card's picture and the grid's menu item open it for a named guest.
    go_to(2);
    Form1->EmailCompose1->Click();
    pump();
    EXPECT_TRUE(Form8->Visible());
    EXPECT_FALSE(Form1->Enabled());
    Form8->Button2->Click();
    QTest::mouseClick(Form1->email_img->Handle(), Qt::LeftButton);
    pump();
    EXPECT_TRUE(Form8->Visible());
    Form8->Button2->Click();

    folder.sql("DELETE FROM member;");
    Form1->list_allClick(Form1);
    Form1->email_imgClick(Form1);
    pump();
    EXPECT_FALSE(Form8->Visible());
    EXPECT_TRUE(Form1->Enabled());
}

TEST_F(EmailDialogTest, DatabaseErrorShowsTheBoxAndKeepsTheDialogOpen)
{
    start_with(
        "INSERT INTO member (userid, name, lastname, email) VALUES (1, 'Ann', 'Lee', 'old@example.com');");
    open_email(1);
    folder.sql("CREATE TRIGGER no_edit BEFORE UPDATE ON member BEGIN SELECT RAISE(ABORT, 'read only'); END;");
    Unit8::html_text = "before";
    Form8->email->SetText("new@example.com");
    Dispatch([] { Form8->Button1->Click(); });
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].icon, TMsgIcon::Error);
    EXPECT_TRUE(dialogs.boxes[0].text.contains("read only")) << dialogs.boxes[0].text.toStdString();
    EXPECT_TRUE(Form8->Visible());
    EXPECT_FALSE(Form1->Enabled());
    EXPECT_EQ(Unit8::html_text, "before");
    EXPECT_EQ(Form1->ADOQuery1->State(), dsBrowse);
    EXPECT_EQ(Form1->ADOQuery1->FieldByName("email")->AsString(), "old@example.com");
    EXPECT_EQ(stored(1, "email"), "old@example.com");
}

} // namespace
