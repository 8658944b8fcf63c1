#include "register/Unit5.h"

#include "app/Unit1.h"

TForm5* Form5 = nullptr;

namespace Unit5 {
int edit_group_id = 0;
}

TForm5::TForm5() : TGroupNameDialog("Form5", "Update Group Name", "Edit the Group Name:", 0x00AA00)
{
    OnActivate = [this](TObject* s) { FormActivate(s); };
    OnClose = [this](TObject* s) { FormClose(s); };
    Button1->OnClick = [this](TObject* s) { Button1Click(s); };
    Cancel->OnClick = [this](TObject* s) { CancelClick(s); };
    Edit1->OnKeyPress = [this](TObject* s, QChar& k) { Edit1KeyPress(s, k); };
}

void TForm5::FormActivate(TObject*)
{
    Form1->SetEnabled(false);
    load_current_groupname();
    Edit1->SetFocus();
}

void TForm5::CancelClick(TObject*)
{
    Form1->group_status->SetText("closed");
    Close();
}

void TForm5::Edit1KeyPress(TObject* Sender, QChar& Key)
{
    enter_esc(Key, [&] { Button1Click(Sender); }, [&] { CancelClick(Sender); });
}

void TForm5::FormClose(TObject*)
{
    hand_over(false);
    Edit1->SetText("");
}

void TForm5::load_current_groupname() {}
void TForm5::Button1Click(TObject*) {}
