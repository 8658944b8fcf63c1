#pragma once
// The rename-group dialog.
#include "register/group_name_dialog.h"

class TForm5 : public TGroupNameDialog {
public:
    TForm5();
    void FormActivate(TObject* Sender);
    void load_current_groupname();
    void Button1Click(TObject* Sender);
    void CancelClick(TObject* Sender);
    void Edit1KeyPress(TObject* Sender, QChar& Key);
    void FormClose(TObject* Sender);
};

extern TForm5* Form5;

namespace Unit5 {
extern int edit_group_id;
void initialize();
} // namespace Unit5
