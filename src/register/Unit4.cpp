#include "register/Unit4.h"

#include "app/Unit1.h"

TForm4* Form4 = nullptr;

TForm4::TForm4() : TGroupNameDialog("Form4", "New Group Name", "Add New Group Name:", 0xC080FF)
{
    OnActivate = [this](TObject* s) { FormActivate(s); };
    OnClose = [this](TObject* s) { FormClose(s); };
    Button1->OnClick = [this](TObject* s) { Button1Click(s); };
    Cancel->OnClick = [this](TObject* s) { CancelClick(s); };
    Edit1->OnKeyPress = [this](TObject* s, QChar& k) { Edit1KeyPress(s, k); };
}

void TForm4::FormActivate(TObject*)
{
    Form1->SetEnabled(false);
    Edit1->SetFocus();
}

void TForm4::CancelClick(TObject*) { Close(); }

void TForm4::Edit1KeyPress(TObject* Sender, QChar& Key)
{
    enter_esc(Key, [&] { Button1Click(Sender); }, [&] { CancelClick(Sender); });
}

void TForm4::FormClose(TObject*)
{
    hand_over(true);
    Edit1->SetText("");
}

void TForm4::Button1Click(TObject*) {}
