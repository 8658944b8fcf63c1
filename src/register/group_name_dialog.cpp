#include "register/group_name_dialog.h"

#include "app/Unit1.h"
#include "app/layout_helpers.h"
#include "register/scratch_reads.h"
#include "toolkit/dialogs.h"

TGroupNameDialog::TGroupNameDialog(const QString& name, const QString& caption, const QString& prompt,
                                   TColor text_color)
    : TDialogForm(name, caption, 305, 177)
{
    Label1 = text_label(this, "Label1", prompt, 24, 24, MakeFont("Verdana", 11, fsBold, text_color));
    Edit1 = new TEdit(this);
    Edit1->Name = "Edit1";
    Edit1->SetBounds(24, 48, 257, 24);
    Edit1->SetFont(MakeFont("MS Sans Serif", 16, 0, text_color));
    Button1 = push_button(this, "Button1", "Save", 56, 120);
    Cancel = push_button(this, "Cancel", "Cancel", 168, 120);

    OnActivate = Handler(this, &TGroupNameDialog::FormActivate);
    OnClose = Handler(this, &TGroupNameDialog::FormClose);
    Button1->OnClick = Handler(this, &TGroupNameDialog::Button1Click);
    Cancel->OnClick = Handler(this, &TGroupNameDialog::CancelClick);
    Edit1->OnKeyPress = Handler(this, &TGroupNameDialog::Edit1KeyPress);
}

void TGroupNameDialog::Edit1KeyPress(TObject* Sender, QChar& Key)
{
    enter_esc(
        Key, [&] { Button1Click(Sender); }, [&] { CancelClick(Sender); });
}

bool TGroupNameDialog::name_taken(const QString& name)
{
    if (first_integer(Form1->cnn, "SELECT COUNT(group_id) AS group_dupp FROM mb_group WHERE group_name = ?",
                      {name}, "group_dupp") == 0)
        return false;
    ShowMessage("Data duplicates!");
    return true;
}
