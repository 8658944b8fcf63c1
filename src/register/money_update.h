#pragma once
// The money dialog: records one guest's gift money.
#include "app/dialog_form.h"
#include "toolkit/stdctrls.h"

class TForm7 : public TDialogForm {
public:
    TForm7();
    TLabel *name_lastname, *other_text, *Label10;
    TEdit* money_textbox;
    TButton *money_save, *mcancel;

    void FormActivate(TObject* Sender);
    void money_saveClick(TObject* Sender);
    void money_textboxKeyPress(TObject* Sender, QChar& Key);
    void mcancelClick(TObject* Sender);
    void money_click_save();
    void FormClose(TObject* Sender);
};

extern TForm7* Form7;

// True when every character is one of "0" to "9"; true for the empty text.
bool is_digits_only(const QString& text);
