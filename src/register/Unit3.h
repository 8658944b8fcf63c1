#pragma once
// The "New" dialog: adds one guest.
#include "app/dialog_form.h"
#include "toolkit/stdctrls.h"

class TForm3 : public TDialogForm {
public:
    TForm3();
    TLabeledEdit *name, *lastname, *other_txt;
    TButton *ok, *cancel;

    void FormActivate(TObject* Sender);
    void okClick(TObject* Sender);
    void cancelClick(TObject* Sender);
    void textbox_clear();
    void nameKeyPress(TObject* Sender, QChar& Key);
    void lastnameKeyPress(TObject* Sender, QChar& Key);
    void other_txtKeyPress(TObject* Sender, QChar& Key);
    void FormClose(TObject* Sender);
};

extern TForm3* Form3;
