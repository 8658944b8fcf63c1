// The group filter and the group look-up.
#include "app/Unit1.h"
#include "data/ado.h"
#include "register/Unit4.h"
#include "register/group_entries.h"
#include "register/scratch_reads.h"
#include "system/sysutils.h"
#include "toolkit/dbgrid.h"

using Unit1::group_id_sel;

void TForm1::group_list(TObject* caller)
{
    name_group->Clear();
    name_group->Add("List All");
    name_group->Add("NONE GROUP");
    add_group_entries(cnn, name_group);

    if (caller == group_delete_img) {
        name_group->SetItemIndex(0);
        name_groupCloseUp(this);
        get_group_id(this);
        name_group->SetItemIndex(0);
    } else if (caller == Form4 && !new_group_name->Text().isEmpty()) {
        // The last entry bearing the new name wins.
        for (int i = 1; i < name_group->Count(); ++i)
            if (Trim(name_group->Item(i)) == new_group_name->Text())
                name_group->SetItemIndex(i);
        name_groupCloseUp(this);
        new_group_name->SetText("");
        get_group_id(this);
    } else {
        name_group->SetItemIndex(0);
    }
    if (!search_box->Focused())
        DBGrid1->SetFocus();
}

void TForm1::name_groupCloseUp(TObject*)
{
    get_data();
    if (name_group->ItemIndex() != 0)
        get_group_id(this);
    list_allClick(this);
}

void TForm1::get_data()
{
    load_ini();
    if (!search_box->Focused())
        DBGrid1->SetFocus();
}

void TForm1::get_group_id(TObject*)
{
    const QString name =
        new_group_name->Text().isEmpty() ? Trim(name_group->Text()) : Trim(new_group_name->Text());
    // "List All" and "NONE GROUP" are told by their place, not their text, which a group may bear.
    const bool fixed_entry = new_group_name->Text().isEmpty() && name_group->ItemIndex() < 2;
    group_id_sel =
        fixed_entry ? 0
                    : first_integer(cnn, "SELECT * FROM mb_group WHERE group_name = ?", {name}, "group_id");
    group_id_now->SetText(group_id_sel > 0 ? IntToStr(group_id_sel) : QString());
}
