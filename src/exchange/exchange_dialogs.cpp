// The file dialogs of the guest-list exchange and the guest count both operations start with.
#include "app/Unit1.h"
#include "data/ado.h"
#include "system/sysutils.h"

using namespace Unit1;

void TForm1::create_exchange_dialogs()
{
    // The save dialog shares the import wording.
    const QString filter = "KAVRI Import File (*.gst)|*.gst";
    OpenDialog1 = Own(new TOpenDialog);
    OpenDialog1->Name = "OpenDialog1";
    OpenDialog1->Filter = filter;
    SaveDialog1 = Own(new TSaveDialog);
    SaveDialog1->Name = "SaveDialog1";
    SaveDialog1->Filter = filter;
    // The export asks before it replaces or creates its file, which is not the name typed in the dialog.
    SaveDialog1->Options = 0;
}

int TForm1::count_members()
{
    cnn->SetSQL("SELECT COUNT(userid) AS total_card FROM member;");
    cnn->Open();
    const QString total = cnn->FieldByName("total_card")->AsString();
    cnn->Close();
    return StrToInt(total);
}
