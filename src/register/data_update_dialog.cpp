#include "register/data_update_dialog.h"

#include "app/Unit1.h"
#include "app/layout_helpers.h"
#include "data/ado.h"
#include "register/group_entries.h"
#include "register/scratch_reads.h"
#include "system/sysutils.h"

#include <exception>

Tdata_update* data_update = nullptr;

namespace data_update_dialog {
int original_group_id;
int found_group_id;
QString found_group_name;
QString selected_group_name;

void initialize()
{
    original_group_id = found_group_id = 0;
    found_group_name.clear();
    selected_group_name.clear();
}
} // namespace data_update_dialog

using namespace data_update_dialog;

Tdata_update::Tdata_update() : TDialogForm("data_update", "Data update", 420, 270)
{
    name_group_label =
        text_label(this, "name_group_label", "Change group name:", 24, 12, MakeFont("MS Sans Serif", 11));
    name_group = new TComboBox(this);
    name_group->Name = "name_group";
    name_group->SetBounds(24, 30, 372, 22);
    name_group->SetDropDownCount(15);
    Edit1 = labeled_edit(this, "Edit1", "Name:", 24, 82, 180);
    Edit2 = labeled_edit(this, "Edit2", "Lastname:", 216, 82, 180);
    Edit3 = labeled_edit(this, "Edit3", "Other text:", 24, 132, 372);
    Edit4 = labeled_edit(this, "Edit4", "Note:", 24, 182, 372);
    ok = push_button(this, "ok", "Save", 120, 226);
    cancel = push_button(this, "cancel", "Cancel", 224, 226);
    SetTabOrder({Edit1, Edit2, Edit3, ok, cancel, name_group, Edit4});

    OnActivate = Handler(this, &Tdata_update::FormActivate);
    OnClose = Handler(this, &Tdata_update::FormClose);
    ok->OnClick = Handler(this, &Tdata_update::okClick);
    cancel->OnClick = Handler(this, &Tdata_update::cancelClick);
    name_group->OnCloseUp = Handler(this, &Tdata_update::name_groupCloseUp);
    for (TLabeledEdit* e : {Edit1, Edit2, Edit3, Edit4})
        e->OnKeyPress = Handler(this, &Tdata_update::Edit1KeyPress);
    ok->OnKeyPress = Handler(this, &Tdata_update::okKeyPress);
    cancel->OnKeyPress = Handler(this, &Tdata_update::cancelKeyPress);
}

void Tdata_update::cancelClick(TObject*)
{
    Close();
}

void Tdata_update::Edit1KeyPress(TObject* Sender, QChar& Key)
{
    enter_esc(
        Key, [&] { okClick(Sender); }, [&] { cancelClick(Sender); });
}

void Tdata_update::okKeyPress(TObject* Sender, QChar& Key)
{
    enter_esc(Key, {}, [&] { cancelClick(Sender); });
}

void Tdata_update::cancelKeyPress(TObject* Sender, QChar& Key)
{
    okKeyPress(Sender, Key);
}
void Tdata_update::FormClose(TObject*)
{
    hand_over(true);
}

void Tdata_update::name_groupCloseUp(TObject*)
{
    Edit1->SetFocus();
}

void Tdata_update::FormActivate(TObject*)
{
    TADOQuery* guests = Form1->ADOQuery1;
    Edit1->SetText(guests->FieldByName("name")->AsString());
    Edit2->SetText(guests->FieldByName("lastname")->AsString());
    Edit3->SetText(guests->FieldByName("other_txt")->AsString());
    Edit4->SetText(guests->FieldByName("note")->AsString());
    Edit1->SetFocus();
    group_list_show();
}

void Tdata_update::group_list_show()
{
    TADOQuery* cnn = Form1->cnn;
    name_group->Clear();
    name_group->Add("NONE GROUP");
    add_group_entries(cnn, name_group);

    get_group_data(guest_group);
    // The last entry bearing the name wins; a guest without a known group keeps "NONE GROUP".
    name_group->SetItemIndex(0);
    for (int i = 1; i < name_group->Count(); ++i)
        if (Trim(name_group->Item(i)) == found_group_name)
            name_group->SetItemIndex(i);
}

void Tdata_update::get_group_data(TGroupLookup which)
{
    TADOQuery* cnn = Form1->cnn;
    // The guest is found by its key: a namesake's group must never be shown, nor stored by a Save.
    if (which == guest_group)
        cnn->SetSQL("SELECT * FROM mb_group AS g, member AS m WHERE m.userid = ? AND g.group_id = m.group_id",
                    {Form1->ADOQuery1->FieldByName("userid")->AsInteger()});
    else
        cnn->SetSQL("SELECT * FROM mb_group WHERE group_name = ?", {selected_group_name});
    cnn->Open();
    const bool found = !cnn->IsEmpty();
    const QString id_field = which == guest_group ? "m.group_id" : "group_id";
    found_group_id = found ? cnn->FieldByName(id_field)->AsInteger() : 0;
    found_group_name = found ? cnn->FieldByName("group_name")->AsString() : QString();
    if (which == guest_group)
        original_group_id = found_group_id;
    cnn->Close();
}

void Tdata_update::okClick(TObject*)
{
    const QString name = Edit1->Text(), lastname = Edit2->Text(), other = Edit3->Text();
    // A save needs a name, or else an other text alone.
    if (name.isEmpty() && (!lastname.isEmpty() || other.isEmpty())) {
        ShowMessage("Please enter the data.");
        Edit1->SetFocus();
        return;
    }
    if (name_group->ItemIndex() > 0) {
        selected_group_name = Trim(name_group->Text());
        get_group_data(chosen_group);
    } else {
        found_group_id = 0;
    }

    TADOQuery* guests = Form1->ADOQuery1;
    // Compared as typed, leaving the guest's own row out.
    const int duplicates =
        first_integer(Form1->cnn,
                      "SELECT COUNT(userid) AS user_dupp FROM member WHERE name=? AND "
                      "lastname=? AND other_txt=? AND userid <> ?",
                      {name, lastname, other, guests->FieldByName("userid")->AsInteger()}, "user_dupp");
    if (duplicates > 0) {
        ShowMessage("Data duplicates!");
        return;
    }

    std::exception_ptr failure;
    try {
        guests->Edit();
        guests->FieldByName("group_id")->SetAsInteger(found_group_id);
        guests->FieldByName("name")->SetAsString(Trim(name));
        guests->FieldByName("lastname")->SetAsString(Trim(lastname));
        guests->FieldByName("other_txt")->SetAsString(Trim(other));
        guests->FieldByName("note")->SetAsString(Trim(Edit4->Text()));
        guests->Post();
    } catch (...) {
        // The grid and the card go back to what the database holds.
        failure = std::current_exception();
        guests->Cancel();
    }
    Close();
    // A guest who left the filtered group leaves the list; the settings load before the build
    // brings back the sort the user chose.
    if (found_group_id != original_group_id && Form1->name_group->ItemIndex() > 0) {
        Form1->get_data();
        Form1->list_allClick(this);
    }
    if (failure)
        std::rethrow_exception(failure);
}
