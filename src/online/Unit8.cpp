#include "online/Unit8.h"

#include "app/Unit1.h"
#include "app/layout_helpers.h"
#include "data/ado.h"
#include "online/email_address.h"
#include "online/email_page.h"
#include "online/load_html_form.h"
#include "online/web_address.h"
#include "system/sysutils.h"

TForm8* Form8 = nullptr;

namespace Unit8 {
QByteArray html_text;

void initialize()
{
    html_text.clear();
}
} // namespace Unit8

TForm8::TForm8() : TDialogForm("Form8", "Send Email to this Name", 417, 217)
{
    name_lastname = guest_line(this, "name_lastname", 16, 417);
    other_text = guest_line(this, "other_text", 46, 417);
    Image1 = new TImage(this);
    Image1->Name = "Image1";
    Image1->SetBounds(40, 100, 44, 48);
    Image1->LoadFromFile(":/images/email.svg");
    // Created in tab order: the address box, then the two buttons.
    email = labeled_edit(this, "email", "Email:", 96, 112, 280, 28);
    email->SetFont(MakeFont("MS Sans Serif", 16));
    email->PlaceLabel();
    Button1 = push_button(this, "Button1", "Email Compose", 110, 172, 110);
    Button2 = push_button(this, "Button2", "Cancel", 236, 172);
    wwwform = new TWebBrowser(this);
    wwwform->Name = "wwwform";
    wwwform->SetBounds(-10, -10, 1, 0);

    OnActivate = Handler(this, &TForm8::FormActivate);
    OnClose = Handler(this, &TForm8::FormClose);
    Button1->OnClick = Handler(this, &TForm8::Button1Click);
    Button2->OnClick = Handler(this, &TForm8::Button2Click);
    email->OnKeyPress = Handler(this, &TForm8::emailKeyPress);
}

void TForm8::FormActivate(TObject*)
{
    show_current_guest(name_lastname, other_text);
    email->SetText(LowerCase(Form1->ADOQuery1->FieldByName("email")->AsString()));
    email->SetFocus();
}

void TForm8::Button1Click(TObject*)
{
    const QString address = Trim(LowerCase(email->Text()));
    if (!is_valid_email(address)) {
        ShowMessage("Invalid Email Address.");
        email->SetFocus();
        return;
    }
    TADOQuery* guests = Form1->ADOQuery1;
    guests->Open();
    try {
        guests->Edit();
        guests->FieldByName("email")->SetAsString(address);
        guests->Post();
    } catch (...) {
        // The grid keeps showing what the database holds; the error box shows the failure.
        guests->Cancel();
        throw;
    }

    Unit1::web_url = web_address("/wedding/email.php");
    // Every character is ASCII: the address passed the check, the host is the program's.
    Unit8::html_text = email_form_page(address, Unit1::web_url).toLatin1();
    load_html_form(wwwform, Unit8::html_text);
}

void TForm8::Button2Click(TObject*)
{
    Close();
}

void TForm8::emailKeyPress(TObject* Sender, QChar& Key)
{
    enter_esc(
        Key, [&] { Button1Click(Sender); }, [this] { Close(); });
}

void TForm8::FormClose(TObject*)
{
    hand_over(true);
}
