#include "online/Unit8.h"

#include "app/layout_helpers.h"

TForm8* Form8 = nullptr;

TForm8::TForm8() : TDialogForm("Form8", "Send Email to this Name", 360, 150)
{
    email = labeled_edit(this, "email", "Email:", 24, 40, 312);
    Button1 = push_button(this, "Button1", "Email Compose", 64, 96, 110);
    Button2 = push_button(this, "Button2", "Cancel", 196, 96, 100);

    OnClose = [this](TObject* s) { FormClose(s); };
    Button1->OnClick = [this](TObject* s) { Button1Click(s); };
    Button2->OnClick = [this](TObject* s) { Button2Click(s); };
    email->OnKeyPress = [this](TObject* s, QChar& k) { emailKeyPress(s, k); };
}

void TForm8::Button2Click(TObject*)
{
    Close();
}

void TForm8::emailKeyPress(TObject* Sender, QChar& Key)
{
    enter_esc(
        Key, [&] { Button1Click(Sender); }, [this] { Close(); });
}

void TForm8::FormClose(TObject*)
{
    hand_over(true);
}

void TForm8::Button1Click(TObject*) {}
