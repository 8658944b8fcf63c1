// Opening and closing the dialogs: the hand-over fields, the main window's enabling and
// what its next activation does.
#include "app/Unit1.h"
#include "app/about.h"
#include "designer/Unit2.h"
#include "designer/print_now_control.h"
#include "online/Unit8.h"
#include "register/Unit3.h"
#include "register/Unit4.h"
#include "register/Unit5.h"
#include "register/data_update_dialog.h"
#include "register/money_update.h"
#include "support/program_fixture.h"
#include "system/sysutils.h"
#include "toolkit/dbgrid.h"

#include <QTest>
#include <functional>

namespace {

class HandOverTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        folder.sql("INSERT INTO mb_group (group_id, group_name) VALUES (1, 'Family');"
                   "INSERT INTO member (userid, name, lastname) VALUES (1, 'Ann', 'Lee');");
        start();
        dialogs.boxes.clear();
    }
    // A group entry selected in the filter and a guest on the card, as the openers need.
    void prepare_openers()
    {
        if (Form1->name_group->Count() < 3) {
            Form1->name_group->Clear();
            for (const char* e : {"List All", "NONE GROUP", "  Family"})
                Form1->name_group->Add(e);
        }
        Form1->name_group->SetItemIndex(2);
        Form1->group_id_now->SetText("1");
        if (Trim(Form1->Label1->Caption()).isEmpty())
            Form1->Label1->SetCaption("Ann Lee");
    }
};

struct Route {
    const char* name;
    std::function<TForm*()> open;
    std::function<void()> close;
    QString stop_page_now;
};

// Opens a dialog through its opener and gives the dialog.
#define OPEN(handler, form)                                                                                  \
    [] {                                                                                                     \
        Form1->handler(Form1);                                                                               \
        return static_cast<TForm*>(form);                                                                    \
    }
#define CLOSE_BOX(form) [] { form->Close(); }

std::vector<Route> routes()
{
    return {
        {"Form2 Cancel", OPEN(edit_txtClick, Form2), [] { Form2->Button2->Click(); }, "close"},
        {"Form2 close box", OPEN(edit_txtClick, Form2), CLOSE_BOX(Form2), "close"},
        {"Form3 Cancel", OPEN(add_newClick, Form3), [] { Form3->cancel->Click(); }, "close"},
        {"Form3 close box", OPEN(add_newClick, Form3), CLOSE_BOX(Form3), "close"},
        {"Form4 Cancel", OPEN(NewGroupClick, Form4), [] { Form4->Cancel->Click(); }, "close"},
        {"Form5 Cancel", OPEN(edit_groupClick, Form5), [] { Form5->Cancel->Click(); }, ""},
        {"Form5 close box", OPEN(edit_groupClick, Form5), CLOSE_BOX(Form5), ""},
        {"Form6 Close", OPEN(print_nowClick, Form6), [] { Form6->Button1->Click(); }, "close"},
        {"Form6 close box", OPEN(print_nowClick, Form6), CLOSE_BOX(Form6), "close"},
        {"data_update Cancel", OPEN(Button1Click, data_update), [] { data_update->cancel->Click(); },
         "close"},
        {"Form7 Cancel", OPEN(Button5Click, Form7), [] { Form7->mcancel->Click(); }, "close"},
        {"Form7 close box", OPEN(Button5Click, Form7), CLOSE_BOX(Form7), "close"},
        {"Form8 Cancel", OPEN(email_imgClick, Form8), [] { Form8->Button2->Click(); }, "close"},
        {"Form8 close box", OPEN(email_imgClick, Form8), CLOSE_BOX(Form8), "close"},
        {"Form9 OK", OPEN(About1Click, Form9), [] { Form9->Button1->Click(); }, ""},
        {"Form9 close box", OPEN(About1Click, Form9), CLOSE_BOX(Form9), ""},
    };
}

TEST_F(HandOverTest, EachCloseRouteWritesItsFlagsAndEnablesTheMainWindow)
{
    for (const Route& r : routes()) {
        SCOPED_TRACE(r.name);
        prepare_openers();
        Form1->stop_page_now->SetText("");
        Form1->group_status->SetText("");
        TForm* dialog = r.open();
        pump();
        ASSERT_TRUE(dialog->Visible());
        EXPECT_FALSE(Form1->Enabled());
        EXPECT_EQ(Application->ActiveForm(), dialog);
        r.close();
        pump();
        EXPECT_FALSE(dialog->Visible());
        EXPECT_TRUE(Form1->Enabled());
        EXPECT_EQ(Application->ActiveForm(), Form1);
        EXPECT_EQ(Form1->stop_page_now->Text(), r.stop_page_now);
    }
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.texts().join("; ").toStdString();
}

TEST_F(HandOverTest, AfterCloseTheActivationOnlyMovesTheFocus)
{
    Unit2::ini_path = "untouched";
    Form1->add_newClick(Form1);
    Form3->cancel->Click();
    EXPECT_EQ(Form1->stop_page_now->Text(), "close");
    EXPECT_EQ(Unit2::ini_path, "untouched");
    EXPECT_TRUE(Form1->DBGrid1->Focused());
}

TEST_F(HandOverTest, RenameDialogStatusIsEmptiedByTheNextActivation)
{
    prepare_openers();
    Unit2::ini_path = "untouched";
    Form1->edit_groupClick(Form1);
    Form5->Cancel->Click();
    EXPECT_EQ(Form1->group_status->Text(), "");
    EXPECT_EQ(Unit2::ini_path, "untouched");

    // Once "close" stands, the activation stops before it and the status stays.
    Form1->stop_page_now->SetText("close");
    Form1->edit_groupClick(Form1);
    Form5->Cancel->Click();
    EXPECT_EQ(Form1->group_status->Text(), "closed");
}

TEST_F(HandOverTest, ClosingTheAboutBoxFirstRunsTheFullPreparation)
{
    Unit2::ini_path = "untouched";
    Form1->About1Click(Form1);
    EXPECT_FALSE(Form1->Enabled());
    Form9->Button1->Click();
    EXPECT_EQ(Unit2::ini_path, folder.file("krv.ini"));
    EXPECT_EQ(Form1->stop_page_now->Text(), "");
}

TEST_F(HandOverTest, RenameAndGuestOpenersNeedTheirCondition)
{
    Form1->name_group->Clear();
    for (const char* e : {"List All", "NONE GROUP"})
        Form1->name_group->Add(e);
    for (int index : {0, 1}) {
        Form1->name_group->SetItemIndex(index);
        Form1->edit_groupClick(Form1);
    }
    EXPECT_EQ(dialogs.texts(), QStringList({"Please select the Group Name to Update.",
                                            "Please select the Group Name to Update."}));
    EXPECT_FALSE(Form5->Visible());
    Form1->Label1->SetCaption("  \t ");
    Form1->Button1Click(Form1);
    Form1->Button5Click(Form1);
    EXPECT_FALSE(data_update->Visible());
    EXPECT_FALSE(Form7->Visible());
    EXPECT_TRUE(Form1->Enabled());
}

TEST_F(HandOverTest, EscInTheDialogsEditBoxesCloses)
{
    prepare_openers();
    const std::vector<std::pair<std::function<void()>, std::vector<TWinControl*>>> table = {
        {[] { Form1->edit_txtClick(Form1); }, {Form2->main_text_edit}},
        {[] { Form1->add_newClick(Form1); }, {Form3->name, Form3->lastname, Form3->other_txt}},
        {[] { Form1->NewGroupClick(Form1); }, {Form4->Edit1}},
        {[] { Form1->edit_groupClick(Form1); }, {Form5->Edit1}},
        {[] { Form1->Button1Click(Form1); },
         {data_update->Edit1, data_update->Edit2, data_update->Edit3, data_update->Edit4, data_update->ok,
          data_update->cancel}},
        {[] { Form1->Button5Click(Form1); }, {Form7->money_textbox}},
        {[] {
             Form1->SetEnabled(false);
             Form8->Show();
         },
         {Form8->email}},
    };
    for (const auto& [open, controls] : table) {
        for (TWinControl* c : controls) {
            open();
            pump();
            TForm* dialog = c->Form();
            SCOPED_TRACE(dialog->Caption().toStdString() + " " + c->Name.toStdString());
            ASSERT_TRUE(dialog->Visible());
            QTest::keyClick(c->Handle(), Qt::Key_Escape);
            pump();
            EXPECT_FALSE(dialog->Visible());
            EXPECT_TRUE(Form1->Enabled());
        }
    }
}

TEST_F(HandOverTest, TheMainWindowTakesNoInputWhileADialogIsOpen)
{
    int clicks = 0;
    Form1->list_show_all->OnClick = [&](TObject*) { ++clicks; };
    Form1->add_newClick(Form1);
    QTest::mouseClick(Form1->list_show_all->Handle(), Qt::LeftButton);
    EXPECT_EQ(clicks, 0);
    Form3->cancel->Click();
    QTest::mouseClick(Form1->list_show_all->Handle(), Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
}

} // namespace
