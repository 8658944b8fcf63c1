// Removing the selected group.
#include "app/Unit1.h"
#include "data/ado.h"
#include "system/sysutils.h"
#include "toolkit/dbgrid.h"

void TForm1::group_deleteClick(TObject*)
{
    if (name_group->ItemIndex() <= 1) {
        ShowMessage("Please select the Group Name to remove.");
        return;
    }
    if (ConfirmYesNo("Group Name Delete: \r\r\"" + Trim(name_group->Text()) + "\" from the system?")) {
        const int id = Unit1::group_id_sel;
        cnn->SetSQL("SELECT * FROM mb_group WHERE group_id = ?", {id});
        cnn->Open();
        cnn->Delete();
        group_list(group_delete_img);
        cnn->SetSQL("UPDATE member SET group_id = 0 WHERE group_id = ?", {id});
        cnn->ExecSQL();
        // The rebuild listed the guests before the move: read them again so none shows the old key,
        // with the settings loaded first so that the chosen sort is applied again, not reset.
        get_data();
        list_allClick(this);
    }
    if (!search_box->Focused())
        DBGrid1->SetFocus();
}
