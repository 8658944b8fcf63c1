// Opening the guest and group dialogs.
#include "app/Unit1.h"
#include "register/Unit3.h"
#include "register/Unit4.h"
#include "register/Unit5.h"
#include "register/data_update_dialog.h"
#include "register/money_update.h"
#include "system/sysutils.h"

bool TForm1::guest_is_current() const
{
    return !Trim(Label1->Caption()).isEmpty();
}

void TForm1::add_newClick(TObject*)
{
    Form3->Open();
}

void TForm1::NewGroupClick(TObject*)
{
    Form4->Open();
}

void TForm1::edit_groupClick(TObject*)
{
    if (name_group->ItemIndex() > 1)
        Form5->Open();
    else
        ShowMessage("Please select the Group Name to Update.");
}

void TForm1::Button1Click(TObject*)
{
    if (guest_is_current())
        data_update->Open();
}

void TForm1::Button5Click(TObject*)
{
    if (guest_is_current())
        Form7->Open();
}
