#include "register/group_entries.h"

#include "data/ado.h"
#include "toolkit/stdctrls.h"

void add_group_entries(TADOQuery* cnn, TComboBox* list)
{
    cnn->SetSQL("SELECT * FROM mb_group ORDER BY group_name");
    cnn->Open();
    // The engine orders by code point; the entries follow the user's language, as the grid does.
    cnn->SetSort("group_name ASC");
    // Sorting keeps the current row, which need not come first in the new order.
    cnn->First();
    for (; !cnn->Eof(); cnn->Next())
        list->Add("  " + cnn->FieldByName("group_name")->AsString());
    cnn->Close();
}
