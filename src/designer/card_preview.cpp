// The card preview follows the current guest; the font application.
#include "app/Unit1.h"
#include "data/ado.h"
#include "designer/label_font.h"
#include "register/money_text.h"
#include "system/sysutils.h"
#include "toolkit/dbgrid.h"

using namespace Unit1;

namespace {

// A font known from the settings goes to the label and to the dialog that saves it.
void apply_stored_font(TLabel* label, TFontDialog* dialog, const QString& name, int size)
{
    if (name.isEmpty())
        return;
    TFont f = label->Font();
    f.Name = name;
    f.Size = size;
    label->SetFont(f);
    dialog->Font.Name = name;
    dialog->Font.Size = size;
}

} // namespace

void TForm1::DataSource1DataChange(TObject*, TField*)
{
    Label1->SetCaption(ADOQuery1->FieldByName("name")->AsString() + " " +
                       ADOQuery1->FieldByName("lastname")->AsString());
    Label2->SetCaption(Label1->Caption());
    other_txt->SetCaption(ADOQuery1->FieldByName("other_txt")->AsString());
    other_txt_shadow->SetCaption(other_txt->Caption());
    const Currency amount = ADOQuery1->FieldByName("money")->AsCurrency();
    money_show->SetCaption(amount > Currency(0) ? "Money = " + Trim(money_text(amount)) + ".-" : QString());
    del->SetVisible(guest_is_current());
    Label12->SetCaption(IntToStr(ADOQuery1->RecordCount()));
}

// Heights and copies use the fonts as they stand before this run's changes; the repeated
// copies at the end bring the shadows and the other text in line after the settings apply.
void TForm1::font_display(TObject*)
{
    set_font_name(Label1, ini_font_name);
    for (TLabel* l : {Label1, Label2, other_txt, other_txt_shadow})
        l->SetHeight(l->Font().Size + 100);
    Label2->SetCaption(Label1->Caption());
    set_font_face(Label2, Label1->Font());
    set_font_face(other_txt, Label1->Font());
    other_txt_shadow->SetCaption(other_txt->Caption());
    set_font_face(other_txt_shadow, other_txt->Font());

    if (!ini_r_font_color.isEmpty() && !ini_g_font_color.isEmpty() && !ini_b_font_color.isEmpty())
        for (TLabel* l : {head_txt, Label1, other_txt})
            set_font_color(l, ColorDialog1->Color);
    if (!ini_r_SD_color.isEmpty() && !ini_g_SD_color.isEmpty() && !ini_b_SD_color.isEmpty())
        for (TLabel* l : {head_txt2, Label2, other_txt_shadow})
            set_font_color(l, Shadow_ColorDialog->Color);

    apply_stored_font(Label1, FontDialog1, ini_font_name, font_size_now);
    apply_stored_font(head_txt, FontDialog2, ini_main_font_name, main_font_size_now);

    set_font_face(Label2, Label1->Font());
    TFont shadow = other_txt_shadow->Font();
    shadow.Style = other_txt->Font().Style;
    shadow.Size = other_txt->Font().Size;
    other_txt_shadow->SetFont(shadow);
    set_font_face(head_txt2, head_txt->Font());

    if (!search_box->Focused())
        DBGrid1->SetFocus();
    rec_ini(this);
}
