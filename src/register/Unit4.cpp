#include "register/Unit4.h"

#include "app/Unit1.h"
#include "data/ado.h"
#include "register/scratch_reads.h"
#include "system/sysutils.h"

TForm4* Form4 = nullptr;

TForm4::TForm4() : TGroupNameDialog("Form4", "New Group Name", "Add New Group Name:", 0xC080FF) {}

void TForm4::FormActivate(TObject*)
{
    Form1->SetEnabled(false);
    Edit1->SetFocus();
}

void TForm4::CancelClick(TObject*)
{
    Close();
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
    if (name_taken(name))
        return;
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
