#pragma once
// The new-group dialog.
#include "register/group_name_dialog.h"

class TForm4 : public TGroupNameDialog {
public:
    TForm4();
    void FormActivate(TObject* Sender) override;
    void Button1Click(TObject* Sender) override;
    void CancelClick(TObject* Sender) override;
    void FormClose(TObject* Sender) override;
};

extern TForm4* Form4;
