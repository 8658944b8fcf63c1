#include "register/money_update.h"

#include "app/Unit1.h"
#include "app/layout_helpers.h"
#include "data/ado.h"

#include <algorithm>

TForm7* Form7 = nullptr;

TForm7::TForm7() : TDialogForm("Form7", "Money update", 417, 217)
{
    name_lastname = guest_line(this, "name_lastname", 20, 417);
    other_text = guest_line(this, "other_text", 50, 417);
    Label10 = text_label(this, "Label10", "Money:", 60, 104, MakeFont("MS Sans Serif", 13, fsBold));
    money_textbox = new TEdit(this);
    money_textbox->Name = "money_textbox";
    money_textbox->SetBounds(130, 100, 220, 26);
    money_textbox->SetFont(MakeFont("MS Sans Serif", 16, fsBold, clGreen));
    money_save = push_button(this, "money_save", "Save", 120, 160);
    mcancel = push_button(this, "mcancel", "Cancel", 224, 160);

    OnActivate = Handler(this, &TForm7::FormActivate);
    OnClose = Handler(this, &TForm7::FormClose);
    money_save->OnClick = Handler(this, &TForm7::money_saveClick);
    mcancel->OnClick = Handler(this, &TForm7::mcancelClick);
    money_textbox->OnKeyPress = Handler(this, &TForm7::money_textboxKeyPress);
}

void TForm7::money_saveClick(TObject*)
{
    money_click_save();
}

void TForm7::money_textboxKeyPress(TObject* Sender, QChar& Key)
{
    enter_esc(
        Key, [this] { money_click_save(); }, [&] { mcancelClick(Sender); });
}

void TForm7::mcancelClick(TObject*)
{
    Close();
}
void TForm7::FormClose(TObject*)
{
    hand_over(true);
}

bool is_digits_only(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= '0' && c <= '9'; });
}

void TForm7::FormActivate(TObject*)
{
    TADOQuery* guests = Form1->ADOQuery1;
    // Stored amounts are whole, so their shortest decimal is plain digits.
    money_textbox->SetText(guests->FieldByName("money")->AsString());
    show_current_guest(name_lastname, other_text);
    money_textbox->SetFocus();
}

void TForm7::money_click_save()
{
    const QString typed = money_textbox->Text();
    if (!is_digits_only(typed)) {
        ShowMessage("Please fill only numeric characters only (0-9).");
        money_textbox->SetFocus();
        return;
    }
    if (typed.length() >= 15) {
        ShowMessage("Over data! Please check it.");
        return;
    }
    // 14 digits at most: exact as a whole number and as a currency amount.
    const Currency amount(typed.isEmpty() ? 0 : typed.toLongLong());

    TADOQuery* guests = Form1->ADOQuery1;
    guests->Open();
    guests->Edit();
    // No money given is NULL, never 0.
    if (amount != Currency(0))
        guests->FieldByName("money")->SetAsCurrency(amount);
    else
        guests->FieldByName("money")->Clear();
    guests->Post();
    mcancelClick(this);
}
