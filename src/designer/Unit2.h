#pragma once
// The main-text dialog: sets the first line of the card in the settings file.
#include "app/dialog_form.h"
#include "toolkit/stdctrls.h"

class TForm2 : public TDialogForm {
public:
    TForm2();
    TLabeledEdit* main_text_edit;
    TButton *Button1, *Button2;

    void FormActivate(TObject* Sender);
    void load_ini();
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);
    void main_text_editKeyPress(TObject* Sender, QChar& Key);
    void FormClose(TObject* Sender);
};

extern TForm2* Form2;

namespace Unit2 {
extern QString exe_folder;
extern QString ini_path;
extern QString main_text;
void initialize();
} // namespace Unit2
