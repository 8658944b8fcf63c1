#pragma once
// The new-group dialog.
#include "register/group_name_dialog.h"

class TForm4 : public TGroupNameDialog {
public:
    TForm4();
    void FormActivate(TObject* Sender);
    void Button1Click(TObject* Sender);
    void CancelClick(TObject* Sender);
    void Edit1KeyPress(TObject* Sender, QChar& Key);
    void FormClose(TObject* Sender);
};

extern TForm4* Form4;
