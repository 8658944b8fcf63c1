// File > Import Guest list: fills an empty register from a guest-list file.
#include "app/Unit1.h"
#include "data/ado.h"
#include "exchange/gst_file.h"
#include "system/files.h"
#include "toolkit/busy_cursor.h"
#include "toolkit/dbgrid.h"

namespace {

// Guest j gets the key j. One transaction: a crash part-way leaves the register empty, ready for
// another try; a refused row ends the import, the guests before it kept and the row dropped.
void store_guests(TADOConnection* connection, TADOQuery* guests, const std::vector<GuestTexts>& file)
{
    // The grid and the card follow once, at the end: nothing is painted before then anyway.
    TControlsDisabled quiet(guests);
    // The fields stay while rows are inserted: looked up once, not for every row.
    TField* const userid = guests->FieldByName("userid");
    TField* const name = guests->FieldByName("name");
    TField* const lastname = guests->FieldByName("lastname");
    TField* const other_txt = guests->FieldByName("other_txt");
    TField* const email = guests->FieldByName("email");
    connection->BeginTrans();
    try {
        for (size_t j = 0; j < file.size(); ++j) {
            const GuestTexts& guest = file[j];
            guests->Insert();
            userid->SetAsInteger(int(j + 1));
            name->SetAsString(guest.name);
            lastname->SetAsString(guest.lastname);
            other_txt->SetAsString(guest.other_txt);
            email->SetAsString(guest.email);
            guests->Post();
        }
    } catch (...) {
        guests->Cancel();
        if (connection->InTransaction())
            connection->CommitTrans();
        throw;
    }
    connection->CommitTrans();
}

} // namespace

void TForm1::kr_importClick(TObject*)
{
    if (count_members() > 0) {
        ShowMessage("You have already the name list in the system.\rIf you would like to Add new Data,\r"
                    "Please Select the \"Add New Data\" from the Main Menu.");
        return;
    }
    if (!OpenDialog1->Execute())
        return;
    {
        const TBusyCursor busy;
        const QString chosen = OpenDialog1->FileName;
        store_guests(ADOConnection1, ADOQuery1, gst_guests(ReadWholeFile(chosen), chosen));
        ADOQuery1->First();
    }
    ShowMessage("Import Guest list Completed.");
    DBGrid1->SetFocus();
}
