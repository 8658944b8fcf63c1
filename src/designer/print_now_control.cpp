#include "designer/print_now_control.h"

#include "app/Unit1.h"
#include "app/layout_helpers.h"

#include <QScopedValueRollback>

TForm6* Form6 = nullptr;

TForm6::TForm6() : TDialogForm("Form6", "Print Multiple Control", 394, 169)
{
    SetPosition(poDesigned);
    Label1 = new TLabel(this);
    Label1->Name = "Label1";
    Label1->SetBounds(24, 20, 346, 60);
    Label1->SetWordWrap(true);
    Label1->SetFont(MakeFont("Verdana", 16, fsBold, clFuchsia));
    Label1->SetCaption("Prepare your Printer and Envelope, Before press \"Print Start\" button.");
    print_start = push_button(this, "print_start", "Print Start", 40, 112, 90);
    stop_print = push_button(this, "stop_print", "Pause", 152, 112, 90);
    Button1 = push_button(this, "Button1", "Close", 264, 112, 90);

    OnActivate = Handler(this, &TForm6::FormActivate);
    OnClose = Handler(this, &TForm6::FormClose);
    print_start->OnClick = Handler(this, &TForm6::print_startClick);
    stop_print->OnClick = Handler(this, &TForm6::stop_printClick);
    Button1->OnClick = Handler(this, &TForm6::Button1Click);
}

void TForm6::Button1Click(TObject*)
{
    Close();
}
void TForm6::FormActivate(TObject*)
{
    Button1->SetFocus();
}
void TForm6::FormClose(TObject*)
{
    hand_over(true);
}

// The engine processes messages while it prints, so a press can arrive during a run: it starts
// no second run.
void TForm6::print_startClick(TObject* Sender)
{
    if (running_)
        return;
    const QScopedValueRollback<bool> running(running_, true);
    Form1->stop_page_now->SetText("");
    Form1->print_start(Sender);
}

void TForm6::stop_printClick(TObject* Sender)
{
    Form1->stop_page_now->SetText("yes");
    Form1->print_start(Sender);
}
