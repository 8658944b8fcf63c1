#include "designer/Unit2.h"

#include "app/layout_helpers.h"

TForm2* Form2 = nullptr;

namespace Unit2 {
QString exe_folder;
QString ini_path;
QString main_text;
} // namespace Unit2

TForm2::TForm2() : TDialogForm("Form2", "Main text", 281, 136)
{
    main_text_edit = labeled_edit(this, "main_text_edit", "Main text:", 40, 35, 201, 26);
    main_text_edit->EditLabel->SetFont(MakeFont("Verdana", 11, fsBold, clFuchsia));
    main_text_edit->PlaceLabel();
    main_text_edit->SetFont(MakeFont("MS Sans Serif", 16, 0, clFuchsia));
    Button1 = push_button(this, "Button1", "Save", 48, 85);
    Button2 = push_button(this, "Button2", "Cancel", 160, 85);

    OnActivate = [this](TObject* s) { FormActivate(s); };
    OnClose = [this](TObject* s) { FormClose(s); };
    Button1->OnClick = [this](TObject* s) { Button1Click(s); };
    Button2->OnClick = [this](TObject* s) { Button2Click(s); };
    main_text_edit->OnKeyPress = [this](TObject* s, QChar& k) { main_text_editKeyPress(s, k); };
}

void TForm2::Button2Click(TObject*) { Close(); }

void TForm2::main_text_editKeyPress(TObject* Sender, QChar& Key)
{
    enter_esc(Key, [&] { Button1Click(Sender); }, [this] { Close(); });
}

void TForm2::FormClose(TObject*) { hand_over(true); }

void TForm2::FormActivate(TObject*) {}
void TForm2::load_ini() {}
void TForm2::Button1Click(TObject*) { Close(); }
