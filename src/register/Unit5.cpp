#include "register/Unit5.h"

#include "app/Unit1.h"
#include "data/ado.h"
#include "system/sysutils.h"

TForm5* Form5 = nullptr;

namespace Unit5 {
int edit_group_id;

void initialize()
{
    edit_group_id = 0;
}
} // namespace Unit5

TForm5::TForm5() : TGroupNameDialog("Form5", "Update Group Name", "Edit the Group Name:", 0x00AA00) {}

void TForm5::FormActivate(TObject*)
{
    Form1->SetEnabled(false);
    load_current_groupname();
    Edit1->SetFocus();
}

void TForm5::CancelClick(TObject*)
{
    Form1->group_status->SetText("closed");
    Close();
}

void TForm5::FormClose(TObject*)
{
    hand_over(false);
    Edit1->SetText("");
}

void TForm5::load_current_groupname()
{
    // Until a group is found, a Save has no group to rename.
    Unit5::edit_group_id = 0;
    const int id = StrToInt(Form1->group_id_now->Text());
    TADOQuery* cnn = Form1->cnn;
    cnn->SetSQL("SELECT group_name FROM mb_group WHERE group_id = ?", {id});
    cnn->Open();
    if (!cnn->IsEmpty()) {
        Unit5::edit_group_id = id;
        Edit1->SetText(cnn->FieldByName("group_name")->AsString());
    }
    cnn->Close();
}

void TForm5::Button1Click(TObject*)
{
    const QString name = Trim(Edit1->Text());
    if (name.isEmpty() || Unit5::edit_group_id == 0) {
        Edit1->SetFocus();
        return;
    }
    TADOQuery* cnn = Form1->cnn;
    // The group's own row counts too, so an unchanged name is refused.
    if (name_taken(name))
        return;
    cnn->SetSQL("UPDATE mb_group SET group_name = ? WHERE group_id = ?", {name, Unit5::edit_group_id});
    cnn->ExecSQL();
    Form1->group_status->SetText("changed");
    Form1->name_group->SetItem(Form1->name_group->ItemIndex(), "  " + name);
    Close();
}
