#pragma once
// The layout, events and name check the new-group and rename-group dialogs share.
#include "app/dialog_form.h"
#include "toolkit/stdctrls.h"

class TGroupNameDialog : public TDialogForm {
public:
    TGroupNameDialog(const QString& name, const QString& caption, const QString& prompt, TColor text_color);
    TLabel* Label1;
    TEdit* Edit1;
    TButton *Button1, *Cancel;

    virtual void FormActivate(TObject* Sender) = 0;
    virtual void Button1Click(TObject* Sender) = 0;
    virtual void CancelClick(TObject* Sender) = 0;
    virtual void FormClose(TObject* Sender) = 0;
    void Edit1KeyPress(TObject* Sender, QChar& Key);

protected:
    // True, after telling the user, when a group already has the name (its own row counts too).
    static bool name_taken(const QString& name);
};
