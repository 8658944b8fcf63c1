#pragma once
// The program on a seeded register with the e-mail dialog's opener at hand.
#include "online/Unit8.h"
#include "register/guest_dialog_fixture.h"

class EmailDialogTest : public GuestDialogTest {
protected:
    static void open_email(int userid)
    {
        go_to(userid);
        Form1->email_imgClick(Form1);
        pump();
        ASSERT_TRUE(Form8->Visible());
    }
    // The main window and its field after a close of the dialog.
    static void expect_closed()
    {
        EXPECT_FALSE(Form8->Visible());
        EXPECT_TRUE(Form1->Enabled());
        EXPECT_EQ(Form1->stop_page_now->Text(), "close");
    }
};
