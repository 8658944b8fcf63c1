#pragma once
// The e-mail dialog for the current guest.
#include "app/dialog_form.h"
#include "toolkit/stdctrls.h"

class TForm8 : public TDialogForm {
public:
    TForm8();
    TLabeledEdit* email;
    TButton *Button1, *Button2;

    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);
    void emailKeyPress(TObject* Sender, QChar& Key);
    void FormClose(TObject* Sender);
};

extern TForm8* Form8;
