#include "register/group_name_dialog.h"

#include "app/layout_helpers.h"

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
}
