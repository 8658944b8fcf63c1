// File > Export Guest list: the listed guests, in the grid's order, to a guest-list file.
#include "app/Unit1.h"
#include "data/ado.h"
#include "exchange/gst_file.h"
#include "system/files.h"
#include "system/sysutils.h"
#include "toolkit/busy_cursor.h"
#include "toolkit/dialogs.h"

namespace {

// Each line is in the file before the next row is read: a failure keeps what was written.
void write_listed_guests(TADOQuery* guests, const QString& target)
{
    // The grid and the card follow once, to the last row: nothing is painted before then anyway.
    TControlsDisabled quiet(guests);
    // The fields stay while the rows are visited: looked up once, not for every row.
    TField* const userid = guests->FieldByName("userid");
    TField* const texts[] = {guests->FieldByName("name"), guests->FieldByName("lastname"),
                             guests->FieldByName("other_txt"), guests->FieldByName("email")};
    for (guests->First(); !guests->Eof(); guests->Next()) {
        if (userid->AsInteger() <= 0)
            continue;
        AppendToFile(target, gst_line({texts[0]->AsString(), texts[1]->AsString(), texts[2]->AsString(),
                                       texts[3]->AsString()}));
    }
}

} // namespace

void TForm1::kr_exportClick(TObject*)
{
    if (count_members() <= 0) {
        ShowMessage(
            "No data in the system.\rPlease select \"Import\" or \"Add New Data\" from the Main Munu.");
        return;
    }
    if (SaveDialog1->Execute()) {
        // Into the chosen folder: the current directory stays where it is.
        const QString target = gst_target(SaveDialog1->FileName);
        // One question, about the file that will be written: the dialog only knows the name as typed.
        if (ConfirmYesNo(FileExists(target) ? "\"" + target + "\" already exists.\rDo you want to replace it?"
                                            : "\"" + target + "\" does not exist.\rCreate the file?")) {
            {
                const TBusyCursor busy;
                RewriteFile(target);
                write_listed_guests(ADOQuery1, target);
            }
            ShowMessage("Export the Guest list finished.");
        }
    }
    search_box->SetText("");
    search_box->SetFocus();
}
