#include "register/Unit4.h"

#include "app/Unit1.h"
#include "data/ado.h"
#include "register/scratch_reads.h"
#include "system/sysutils.h"

TForm4* Form4 = nullptr;

TForm4::TForm4() : TGroupNameDialog("Form4", "New Group Name", "Add New Group Name:", 0xC080FF)
{
    OnActivate = [this](TObject* s) { FormActivate(s); };
    OnClose = [this](TObject* s) { FormClose(s); };
    Button1->OnClick = [this](TObject* s) { Button1Click(s); };
    Cancel->OnClick = [this](TObject* s) { CancelClick(s); };
    Edit1->OnKeyPress = [this](TObject* s, QChar& k) { Edit1KeyPress(s, k); };
}

void TForm4::FormActivate(TObject*)
{
    Form1->SetEnabled(false);
    Edit1->SetFocus();
}

void TForm4::CancelClick(TObject*)
{
    Close();
}

void TForm4::Edit1KeyPress(TObject* Sender, QChar& Key)
{
    enter_esc(
        Key, [&] { Button1Click(Sender); }, [&] { CancelClick(Sender); });
}

void TForm4::FormClose(TObject*)
{
    hand_over(true);
    Edit1->SetText("");
}

void TForm4::Button1Click(TObject*)
{
    const QString name = Trim(Edit1->Text());
    if (name.isEmpty()) {
        Edit1->SetFocus();
        return;
    }
    TADOQuery* cnn = Form1->cnn;
    // Compared as it will be stored, trimmed: a name typed with a blank is no new group.
    if (first_integer(cnn, "SELECT COUNT(group_id) AS group_dupp FROM mb_group WHERE group_name = ?", {name},
                      "group_dupp") > 0) {
        ShowMessage("Data duplicates!");
        return;
    }
    const int key =
        first_integer(cnn, "SELECT group_id FROM mb_group ORDER BY group_id DESC;", {}, "group_id") + 1;
    cnn->SetSQL("SELECT * FROM mb_group");
    cnn->Open();
    cnn->Insert();
    cnn->FieldByName("group_id")->SetAsInteger(key);
    cnn->FieldByName("group_name")->SetAsString(name);
    cnn->Post();
    cnn->Close();
    Form1->new_group_name->SetText(name);
    Close();
    Form1->group_list(this);
}
