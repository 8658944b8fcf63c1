#include "register/Unit3.h"

#include "app/Unit1.h"
#include "app/layout_helpers.h"
#include "data/ado.h"
#include "register/scratch_reads.h"
#include "system/sysutils.h"

TForm3* Form3 = nullptr;

TForm3::TForm3() : TDialogForm("Form3", "New", 330, 230)
{
    name = labeled_edit(this, "name", "Name:", 24, 30, 280);
    lastname = labeled_edit(this, "lastname", "Lastname:", 24, 80, 280);
    other_txt = labeled_edit(this, "other_txt", "Other text:", 24, 130, 280);
    ok = push_button(this, "ok", "Save", 72, 180);
    cancel = push_button(this, "cancel", "Cancel", 184, 180);

    OnActivate = Handler(this, &TForm3::FormActivate);
    OnClose = Handler(this, &TForm3::FormClose);
    ok->OnClick = Handler(this, &TForm3::okClick);
    cancel->OnClick = Handler(this, &TForm3::cancelClick);
    name->OnKeyPress = Handler(this, &TForm3::nameKeyPress);
    lastname->OnKeyPress = Handler(this, &TForm3::lastnameKeyPress);
    other_txt->OnKeyPress = Handler(this, &TForm3::other_txtKeyPress);
}

void TForm3::FormActivate(TObject*)
{
    Form1->SetEnabled(false);
    name->SetFocus();
}

void TForm3::cancelClick(TObject*)
{
    textbox_clear();
    Close();
}

void TForm3::textbox_clear()
{
    name->SetText("");
    lastname->SetText("");
    other_txt->SetText("");
}

void TForm3::nameKeyPress(TObject* Sender, QChar& Key)
{
    enter_esc(
        Key, [&] { okClick(Sender); }, [&] { cancelClick(Sender); });
}

void TForm3::lastnameKeyPress(TObject* Sender, QChar& Key)
{
    nameKeyPress(Sender, Key);
}
void TForm3::other_txtKeyPress(TObject* Sender, QChar& Key)
{
    nameKeyPress(Sender, Key);
}

void TForm3::FormClose(TObject*)
{
    textbox_clear();
    hand_over(true);
}

void TForm3::okClick(TObject*)
{
    if (Trim(name->Text()).isEmpty()) {
        name->SetFocus();
        return;
    }
    // Compared as typed; the row stores the trimmed texts.
    const int duplicates = first_integer(Form1->cnn,
                                         "SELECT COUNT(userid) AS user_dupp FROM member "
                                         "WHERE name=? AND lastname=? AND other_txt=?;",
                                         {name->Text(), lastname->Text(), other_txt->Text()}, "user_dupp");
    if (duplicates > 0) {
        ShowMessage("Data duplicates!");
        return;
    }
    const int key =
        first_integer(Form1->cnn, "SELECT userid FROM member ORDER BY userid DESC;", {}, "userid") + 1;

    TADOQuery* guests = Form1->ADOQuery1;
    guests->Insert();
    try {
        guests->FieldByName("userid")->SetAsInteger(key);
        guests->FieldByName("name")->SetAsString(Trim(name->Text()));
        guests->FieldByName("lastname")->SetAsString(Trim(lastname->Text()));
        guests->FieldByName("other_txt")->SetAsString(Trim(other_txt->Text()));
        guests->Post();
    } catch (...) {
        // No unsaved row stays behind in the grid, the count or the card; the dialog stays open.
        guests->Cancel();
        throw;
    }
    Close();
    guests->Last();
}
