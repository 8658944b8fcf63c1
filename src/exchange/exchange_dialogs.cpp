// The file dialogs of the guest-list exchange and the guest count both operations start with.
#include "app/Unit1.h"
#include "data/ado.h"
#include "system/sysutils.h"

using namespace Unit1;

void TForm1::create_exchange_dialogs()
{
    // The save dialog shares the import wording.
    const QString filter = "KAVRI Import File (*.gst)|*.gst";
    OpenDialog1 = new TOpenDialog;
    OpenDialog1->Name = "OpenDialog1";
    OpenDialog1->Filter = filter;
    SaveDialog1 = new TSaveDialog;
    SaveDialog1->Name = "SaveDialog1";
    SaveDialog1->Filter = filter;
    SaveDialog1->Options = ofOverwritePrompt | ofCreatePrompt;
}

int TForm1::count_members()
{
    cnn->SetSQL("SELECT COUNT(userid) AS total_card FROM member;");
    cnn->Open();
    member_total = cnn->FieldByName("total_card")->AsString();
    cnn->Close();
    return StrToInt(member_total);
}
