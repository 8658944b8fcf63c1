#include "app/dialog_form.h"

#include "app/Unit1.h"
#include "data/ado.h"

TDialogForm::TDialogForm(const QString& name, const QString& caption, int clientWidth, int clientHeight)
{
    Name = name;
    SetCaption(caption);
    SetClientWidth(clientWidth);
    SetClientHeight(clientHeight);
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
}

void TDialogForm::Open()
{
    Form1->SetEnabled(false);
    Show();
}

void TDialogForm::hand_over(bool write_close)
{
    if (write_close)
        Form1->stop_page_now->SetText("close");
    Form1->SetEnabled(true);
}

void TDialogForm::show_current_guest(TLabel* name_line, TLabel* other_line)
{
    TADOQuery* guests = Form1->ADOQuery1;
    const QString name = guests->FieldByName("name")->AsString();
    const QString lastname = guests->FieldByName("lastname")->AsString();
    name_line->SetCaption(lastname.isEmpty() ? name : name + " " + lastname);
    other_line->SetCaption(guests->FieldByName("other_txt")->AsString());
}

void TDialogForm::enter_esc(QChar Key, const std::function<void()>& on_enter,
                            const std::function<void()>& on_esc)
{
    if (Key == QChar(13) && on_enter)
        on_enter();
    else if (Key == QChar(27) && on_esc)
        on_esc();
}
