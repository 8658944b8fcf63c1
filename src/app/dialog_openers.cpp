// Opening the dialogs: the main window takes no input while one is shown.
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
#include "system/sysutils.h"

namespace {

void open_dialog(TForm* dialog)
{
    Form1->SetEnabled(false);
    dialog->Show();
}

} // namespace

bool TForm1::guest_is_current() const
{
    return !Trim(Label1->Caption()).isEmpty();
}

void TForm1::edit_txtClick(TObject*)
{
    open_dialog(Form2);
}
void TForm1::add_newClick(TObject*)
{
    open_dialog(Form3);
}
void TForm1::NewGroupClick(TObject*)
{
    open_dialog(Form4);
}

void TForm1::edit_groupClick(TObject*)
{
    if (name_group->ItemIndex() > 1)
        open_dialog(Form5);
    else
        ShowMessage("Please select the Group Name to Update.");
}

void TForm1::print_nowClick(TObject*)
{
    Form6->SetLeft(0);
    Form6->SetTop(0);
    open_dialog(Form6);
}

void TForm1::Button1Click(TObject*)
{
    if (guest_is_current())
        open_dialog(data_update);
}

void TForm1::Button5Click(TObject*)
{
    if (guest_is_current())
        open_dialog(Form7);
}

void TForm1::email_imgClick(TObject*)
{
    if (guest_is_current())
        open_dialog(Form8);
}

void TForm1::About1Click(TObject*)
{
    open_dialog(Form9);
}
