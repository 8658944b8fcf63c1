#include "app/dialog_form.h"

#include "app/Unit1.h"

TDialogForm::TDialogForm(const QString& name, const QString& caption, int clientWidth, int clientHeight)
{
    Name = name;
    SetCaption(caption);
    SetClientWidth(clientWidth);
    SetClientHeight(clientHeight);
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
}

void TDialogForm::hand_over(bool write_close)
{
    if (write_close)
        Form1->stop_page_now->SetText("close");
    Form1->SetEnabled(true);
}

void TDialogForm::enter_esc(QChar Key, const std::function<void()>& on_enter,
                            const std::function<void()>& on_esc)
{
    if (Key == QChar(13) && on_enter)
        on_enter();
    else if (Key == QChar(27) && on_esc)
        on_esc();
}
