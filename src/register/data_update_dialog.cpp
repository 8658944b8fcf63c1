#include "register/data_update_dialog.h"

#include "app/Unit1.h"
#include "app/layout_helpers.h"

Tdata_update* data_update = nullptr;

namespace data_update_dialog {
int original_group_id = 0;
int found_group_id = 0;
QString found_group_name;
QString selected_group_name;
} // namespace data_update_dialog

Tdata_update::Tdata_update() : TDialogForm("data_update", "Data update", 420, 270)
{
    name_group_label = text_label(this, "name_group_label", "Change group name:", 24, 12, MakeFont("MS Sans Serif", 11));
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

    OnActivate = [this](TObject* s) { FormActivate(s); };
    OnClose = [this](TObject* s) { FormClose(s); };
    ok->OnClick = [this](TObject* s) { okClick(s); };
    cancel->OnClick = [this](TObject* s) { cancelClick(s); };
    name_group->OnCloseUp = [this](TObject* s) { name_groupCloseUp(s); };
    for (TLabeledEdit* e : {Edit1, Edit2, Edit3, Edit4})
        e->OnKeyPress = [this](TObject* s, QChar& k) { Edit1KeyPress(s, k); };
    ok->OnKeyPress = [this](TObject* s, QChar& k) { okKeyPress(s, k); };
    cancel->OnKeyPress = [this](TObject* s, QChar& k) { cancelKeyPress(s, k); };
}

void Tdata_update::cancelClick(TObject*) { Close(); }

void Tdata_update::Edit1KeyPress(TObject* Sender, QChar& Key)
{
    enter_esc(Key, [&] { okClick(Sender); }, [&] { cancelClick(Sender); });
}

void Tdata_update::okKeyPress(TObject* Sender, QChar& Key) { enter_esc(Key, {}, [&] { cancelClick(Sender); }); }
void Tdata_update::cancelKeyPress(TObject* Sender, QChar& Key) { okKeyPress(Sender, Key); }
void Tdata_update::FormClose(TObject*) { hand_over(true); }

void Tdata_update::FormActivate(TObject*) {}
void Tdata_update::group_list_show() {}
void Tdata_update::get_group_data(TGroupLookup) {}
void Tdata_update::okClick(TObject*) {}
void Tdata_update::name_groupCloseUp(TObject*) {}
