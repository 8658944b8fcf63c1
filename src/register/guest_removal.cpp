// Removing the current guest.
#include "app/Unit1.h"
#include "data/ado.h"
#include "toolkit/dbgrid.h"

void TForm1::delClick(TObject*)
{
    if (!guest_is_current())
        return;
    QString question = "Remove this data from the Guests list?\r\r" +
                       ADOQuery1->FieldByName("name")->AsString() + " " +
                       ADOQuery1->FieldByName("lastname")->AsString();
    const QString other = ADOQuery1->FieldByName("other_txt")->AsString();
    if (!other.isEmpty())
        question += "\r" + other;
    if (ConfirmYesNo(question))
        ADOQuery1->Delete();
    if (!search_box->Focused())
        DBGrid1->SetFocus();
}
