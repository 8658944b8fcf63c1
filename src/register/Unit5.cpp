#include "register/Unit5.h"

#include "app/Unit1.h"
#include "data/ado.h"
#include "register/scratch_reads.h"
#include "system/sysutils.h"

TForm5* Form5 = nullptr;

namespace Unit5 {
int edit_group_id;

void initialize()
{
    edit_group_id = 0;
}
} // namespace Unit5

TForm5::TForm5() : TGroupNameDialog("Form5", "Update Group Name", "Edit the Group Name:", 0x00AA00)
{
    OnActivate = [this](TObject* s) { FormActivate(s); };
    OnClose = [this](TObject* s) { FormClose(s); };
    Button1->OnClick = [this](TObject* s) { Button1Click(s); };
    Cancel->OnClick = [this](TObject* s) { CancelClick(s); };
    Edit1->OnKeyPress = [this](TObject* s, QChar& k) { Edit1KeyPress(s, k); };
}

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

void TForm5::Edit1KeyPress(TObject* Sender, QChar& Key)
{
    enter_esc(
        Key, [&] { Button1Click(Sender); }, [&] { CancelClick(Sender); });
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
    if (first_integer(cnn, "SELECT COUNT(group_id) AS group_dupp FROM mb_group WHERE group_name=?", {name},
                      "group_dupp") > 0) {
        ShowMessage("Data duplicates!");
        return;
    }
    cnn->SetSQL("UPDATE mb_group SET group_name = ? WHERE group_id = ?", {name, Unit5::edit_group_id});
    cnn->ExecSQL();
    Form1->group_status->SetText("changed");
    Form1->name_group->SetItem(Form1->name_group->ItemIndex(), "  " + name);
    Close();
}
