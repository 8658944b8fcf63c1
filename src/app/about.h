#pragma once
// The About box.
#include "app/dialog_form.h"
#include "toolkit/extctrls.h"
#include "toolkit/stdctrls.h"

class TForm9 : public TDialogForm {
public:
    TForm9();
    TImage* Image1;
    TLabel *Label1, *Label5, *Label4, *Label2, *Label3;
    TButton* Button1;

    void Button1Click(TObject* Sender);
    void FormClose(TObject* Sender);
    void Label3Click(TObject* Sender);
};

extern TForm9* Form9;
