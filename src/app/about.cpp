#include "app/about.h"

#include "app/Unit1.h"
#include "app/layout_helpers.h"

TForm9* Form9 = nullptr;

namespace {

TLabel* paragraph(TWinControl* parent, const QString& name, int top, int height, const QString& text)
{
    auto* l = new TLabel(parent);
    l->Name = name;
    l->SetBounds(16, top, 401, height);
    l->SetWordWrap(true);
    l->SetFont(MakeFont("Verdana", 11, 0, clWindowText));
    l->SetCaption(text);
    return l;
}

} // namespace

TForm9::TForm9() : TDialogForm("Form9", "About: KAVRI Vivudoz", 433, 289)
{
    Image1 = new TImage(this);
    Image1->Name = "Image1";
    Image1->SetBounds(16, 10, 232, 32);
    Image1->LoadFromFile(":/images/logo.svg");
    Label1 = paragraph(this, "Label1", 50, 44,
                       "KAVRI Vivudoz 2011 keeps your wedding guest list, prints each guest's name on an "
                       "envelope card and sums up the gift money.");
    Label5 =
        paragraph(this, "Label5", 96, 72,
                  "Import and Export all your guest list or some name by group name to your friends. You "
                  "can specify fonts, size, colors and drop shadow on envelope page. Summary money from your "
                  "wedding card. Report total guests, money from guest's envelope by keyword or group name.");
    Label4 = paragraph(this, "Label4", 170, 32,
                       "For your wedding photos, try our gallery program; more on our web site.");
    Label2 =
        text_label(this, "Label2", "Official website:", 16, 214, MakeFont("Verdana", 11, 0, clWindowText));
    Label3 = text_label(this, "Label3", "", 130, 214, MakeFont("Verdana", 11, fsBold, clBlue));
    Label3->SetCursor(crHandPoint);
    Button1 = push_button(this, "Button1", "OK", 179, 250);

    Button1->OnClick = Handler(this, &TForm9::Button1Click);
    Label3->OnClick = Handler(this, &TForm9::Label3Click);
    OnClose = Handler(this, &TForm9::FormClose);
    Label3->SetCaption(Unit1::web_host);
}

void TForm9::Button1Click(TObject*)
{
    Close();
}
void TForm9::FormClose(TObject*)
{
    hand_over(false);
}
void TForm9::Label3Click(TObject* Sender)
{
    Form1->GotoWebsite1Click(Sender);
}
