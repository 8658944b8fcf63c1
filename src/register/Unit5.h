#pragma once
// The rename-group dialog.
#include "register/group_name_dialog.h"

class TForm5 : public TGroupNameDialog {
public:
    TForm5();
    void FormActivate(TObject* Sender) override;
    void load_current_groupname();
    void Button1Click(TObject* Sender) override;
    void CancelClick(TObject* Sender) override;
    void FormClose(TObject* Sender) override;
};

extern TForm5* Form5;

namespace Unit5 {
extern int edit_group_id;
void initialize();
} // namespace Unit5
