#pragma once
// The "Data update" dialog: edits the current guest.
#include "app/dialog_form.h"
#include "toolkit/stdctrls.h"

class Tdata_update : public TDialogForm {
public:
    Tdata_update();
    TComboBox* name_group;
    TLabel* name_group_label;
    TLabeledEdit *Edit1, *Edit2, *Edit3, *Edit4;
    TButton *ok, *cancel;

    enum TGroupLookup { guest_group, chosen_group };

    void FormActivate(TObject* Sender);
    void group_list_show();
    void get_group_data(TGroupLookup which);
    void okClick(TObject* Sender);
    void cancelClick(TObject* Sender);
    void name_groupCloseUp(TObject* Sender);
    void FormClose(TObject* Sender);
    void Edit1KeyPress(TObject* Sender, QChar& Key);
    void okKeyPress(TObject* Sender, QChar& Key);
    void cancelKeyPress(TObject* Sender, QChar& Key);
};

extern Tdata_update* data_update;

namespace data_update_dialog {
extern int original_group_id;
extern int found_group_id;
extern QString found_group_name;
extern QString selected_group_name;
void initialize();
} // namespace data_update_dialog
