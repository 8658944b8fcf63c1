#pragma once
// The layout the new-group and rename-group dialogs share.
#include "app/dialog_form.h"
#include "toolkit/stdctrls.h"

class TGroupNameDialog : public TDialogForm {
public:
    TGroupNameDialog(const QString& name, const QString& caption, const QString& prompt, TColor text_color);
    TLabel* Label1;
    TEdit* Edit1;
    TButton *Button1, *Cancel;
};
