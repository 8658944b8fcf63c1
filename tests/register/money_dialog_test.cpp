// The money dialog: what it accepts, what it stores, and what its closes leave alone.
#include "guest_dialog_fixture.h"
#include "register/money_update.h"
#include "toolkit/dbgrid.h"

#include <QTest>

namespace {

class MoneyDialogTest : public GuestDialogTest {
protected:
    static void open_money(int userid)
    {
        go_to(userid);
        Form1->Button5Click(Form1);
        pump();
        ASSERT_TRUE(Form7->Visible());
    }
};

TEST(IsDigitsOnly, OnlyTheTenDigitsCount)
{
    for (const char* yes : {"", "0", "0123456789", "007"})
        EXPECT_TRUE(is_digits_only(yes)) << yes;
    for (const char* no : {" 1", "1 ", "1,000", "10.5", "-5", "+5", "1e3", "\t", "\xd9\xa3"})
        EXPECT_FALSE(is_digits_only(QString::fromUtf8(no))) << no;
}

TEST_F(MoneyDialogTest, FillsFromTheCurrentRow)
{
    start_with("INSERT INTO member (userid, name, lastname, other_txt, money) VALUES "
               "(1, 'Ann', 'Lee', ' aunt ', 1500), (2, 'Bob', '', NULL, NULL);");
    open_money(1);
    EXPECT_EQ(Form7->money_textbox->Text(), "1500");
    EXPECT_EQ(Form7->name_lastname->Caption(), "Ann Lee");
    EXPECT_EQ(Form7->other_text->Caption(), " aunt ");
    EXPECT_TRUE(Form7->money_textbox->Focused());
    Form7->mcancel->Click();
    open_money(2);
    EXPECT_EQ(Form7->money_textbox->Text(), "");
    EXPECT_EQ(Form7->name_lastname->Caption(), "Bob");
    EXPECT_EQ(Form7->other_text->Caption(), "");
}

TEST_F(MoneyDialogTest, InputTable)
{
    start_with("INSERT INTO member (userid, name, lastname, money) VALUES (1, 'Ann', 'Lee', 500);");
    const QString digits = "Please fill only numeric characters only (0-9).";
    const QString over = "Over data! Please check it.";
    struct Case {
        const char* typed;
        QString message; // empty when the amount is stored
        const char* stored;
    };
    for (const Case& c : {
             Case{"", {}, "NULL"},
             Case{"0", {}, "NULL"},
             Case{"000", {}, "NULL"},
             Case{"007", {}, "7"},
             Case{"99999999999999", {}, "99999999999999"},
             Case{"100000000000000", over, "500"},
             Case{"999999999999999", over, "500"},
             Case{" 5", digits, "500"},
             Case{"5 ", digits, "500"},
             Case{"1,000", digits, "500"},
             Case{"10.5", digits, "500"},
             Case{"-5", digits, "500"},
             Case{"12345678901234a", digits, "500"},
         }) {
        SCOPED_TRACE(c.typed);
        folder.sql("UPDATE member SET money = 500;");
        Form1->ADOQuery1->Close();
        Form1->ADOQuery1->Open();
        dialogs.boxes.clear();
        Form1->stop_page_now->SetText("");
        open_money(1);
        Form7->money_textbox->SetText(c.typed);
        Form7->money_save->SetFocus();
        Form7->money_save->Click();
        EXPECT_EQ(stored(1, "quote(money)"), c.stored);
        if (c.message.isEmpty()) {
            EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.texts().join("; ").toStdString();
            EXPECT_FALSE(Form7->Visible());
            EXPECT_EQ(Form1->stop_page_now->Text(), "close");
            const QString s = c.stored;
            EXPECT_EQ(Form1->ADOQuery1->FieldByName("money")->AsCurrency(),
                      Currency(s == "NULL" ? 0 : s.toLongLong()));
        } else {
            EXPECT_EQ(dialogs.texts(), QStringList{c.message});
            EXPECT_TRUE(Form7->Visible());
            EXPECT_EQ(Form7->money_textbox->Text(), c.typed);
            // Only the digits message sends the focus back to the box.
            EXPECT_EQ(Form7->money_textbox->Focused(), c.message == digits);
            Form7->mcancel->Click();
        }
    }
}

TEST_F(MoneyDialogTest, EnterSavesAndEveryCloseStoresNothing)
{
    start_with("INSERT INTO member (userid, name, lastname, money) VALUES (1, 'Ann', 'Lee', 500);");
    const std::vector<std::pair<const char*, std::function<void()>>> closes = {
        {"Cancel", [] { Form7->mcancel->Click(); }},
        {"Esc", [] { QTest::keyClick(Form7->money_textbox->Handle(), Qt::Key_Escape); }},
        {"close box", [] { Form7->Close(); }},
    };
    for (const auto& [name, close] : closes) {
        SCOPED_TRACE(name);
        Form1->stop_page_now->SetText("");
        open_money(1);
        Form7->money_textbox->SetText("123");
        close();
        pump();
        EXPECT_FALSE(Form7->Visible());
        EXPECT_TRUE(Form1->Enabled());
        EXPECT_EQ(Form1->stop_page_now->Text(), "close");
        EXPECT_EQ(stored(1, "money"), "500");
        // The next opening shows the stored amount, not what was typed.
        open_money(1);
        EXPECT_EQ(Form7->money_textbox->Text(), "500");
        Form7->mcancel->Click();
    }
    open_money(1);
    Form7->money_textbox->SetText("750");
    QTest::keyClick(Form7->money_textbox->Handle(), Qt::Key_Return);
    pump();
    EXPECT_FALSE(Form7->Visible());
    EXPECT_EQ(stored(1, "money"), "750");
}

TEST_F(MoneyDialogTest, GridCellAndCardChangeAtOnceWhileTheTotalWaitsForTheNextBuild)
{
    start_with("INSERT INTO member (userid, name, lastname, money) VALUES (1, 'Ann', 'Lee', 500),"
               "(2, 'Bob', 'Ray', 2000);");
    TField* money = Form1->ADOQuery1->FieldByName("money");
    // Bob's row shows how 2000 looks in this locale.
    go_to(2);
    const QString cell = money->DisplayText(), card = Form1->money_show->Caption();
    ASSERT_TRUE(card.startsWith("Money = 2") && card.endsWith(".-")) << card.toStdString();
    const QString total = Form1->Label14->Caption();

    open_money(1);
    Form7->money_textbox->SetText("2000");
    Form7->money_save->Click();
    EXPECT_EQ(Form1->ADOQuery1->FieldByName("userid")->AsInteger(), 1);
    EXPECT_EQ(money->DisplayText(), cell);
    EXPECT_EQ(Form1->money_show->Caption(), card);
    EXPECT_EQ(Form1->Label14->Caption(), total);
    Form1->list_allClick(Form1);
    EXPECT_NE(Form1->Label14->Caption(), total);
}

} // namespace
