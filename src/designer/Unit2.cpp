#include "designer/Unit2.h"

#include "app/layout_helpers.h"
#include "system/inifiles.h"
#include "system/sysutils.h"

TForm2* Form2 = nullptr;

namespace Unit2 {
QString exe_folder;
QString ini_path;
QString main_text;

void initialize()
{
    exe_folder.clear();
    ini_path.clear();
    main_text.clear();
}
} // namespace Unit2

TForm2::TForm2() : TDialogForm("Form2", "Main text", 281, 136)
{
    main_text_edit = labeled_edit(this, "main_text_edit", "Main text:", 40, 35, 201, 26);
    main_text_edit->EditLabel->SetFont(MakeFont("Verdana", 11, fsBold, clFuchsia));
    main_text_edit->PlaceLabel();
    main_text_edit->SetFont(MakeFont("MS Sans Serif", 16, 0, clFuchsia));
    Button1 = push_button(this, "Button1", "Save", 48, 85);
    Button2 = push_button(this, "Button2", "Cancel", 160, 85);

    OnActivate = Handler(this, &TForm2::FormActivate);
    OnClose = Handler(this, &TForm2::FormClose);
    Button1->OnClick = Handler(this, &TForm2::Button1Click);
    Button2->OnClick = Handler(this, &TForm2::Button2Click);
    main_text_edit->OnKeyPress = Handler(this, &TForm2::main_text_editKeyPress);
}

void TForm2::Button2Click(TObject*)
{
    Close();
}

void TForm2::main_text_editKeyPress(TObject* Sender, QChar& Key)
{
    enter_esc(
        Key, [&] { Button1Click(Sender); }, [this] { Close(); });
}

void TForm2::FormClose(TObject*)
{
    hand_over(true);
}

void TForm2::FormActivate(TObject*)
{
    Unit2::exe_folder = ExtractFilePath(ExecutablePath());
    Unit2::ini_path = Unit2::exe_folder + "krv.ini";
    // Without a settings file the edit keeps what it last showed.
    if (FileExists(Unit2::ini_path))
        load_ini();
    main_text_edit->SetFocus();
}

void TForm2::load_ini()
{
    const TIniFile ini(Unit2::ini_path);
    Unit2::main_text = ini.ReadString("Config", "MainText", "");
    main_text_edit->SetText(Unit2::main_text);
}

// The card takes the new text at the main window's next settings load, not here.
void TForm2::Button1Click(TObject*)
{
    // A file that cannot be written keeps its old text, unreported, as every settings save does.
    TIniFile(Unit2::ini_path).WriteString("Config", "MainText", Trim(main_text_edit->Text()));
    Close();
}
