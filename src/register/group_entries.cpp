#include "register/group_entries.h"

#include "data/ado.h"
#include "toolkit/stdctrls.h"

void add_group_entries(TADOQuery* cnn, TComboBox* list)
{
    cnn->SetSQL("SELECT * FROM mb_group ORDER BY group_name");
    cnn->Open();
    for (; !cnn->Eof(); cnn->Next())
        list->Add("  " + cnn->FieldByName("group_name")->AsString());
    cnn->Close();
}
