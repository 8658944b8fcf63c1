// The card design controls.
#include "app/Unit1.h"
#include "designer/card_sizes.h"
#include "designer/label_font.h"
#include "toolkit/dbgrid.h"

#include <algorithm>

using namespace Unit1;

namespace {

void recolor(std::initializer_list<TLabel*> labels, TColor color)
{
    for (TLabel* l : labels)
        set_font_color(l, color);
}

// A confirmed font dialog gives the label its face, style and size, and the designer state
// its name and size. The dialog opens on the label's style: only the label keeps it across a
// restart, so an OK without a change changes nothing.
void choose_font(TFontDialog* dialog, TLabel* label, QString& font_name, int& font_size)
{
    dialog->Font.Style = label->Font().Style;
    if (!dialog->Execute())
        return;
    set_font_face(label, dialog->Font);
    font_size = dialog->Font.Size;
    font_name = dialog->Font.Name;
}

void place_shadow(TLabel* shadow, const TLabel* front, int step)
{
    shadow->SetLeft(front->Left() + shadow_pixels(step));
    shadow->SetTop(front->Top() + shadow_pixels(step));
}

// Exactly one box shows, and the caption of the shown box is the white one.
void show_control_box(TForm1* f, bool main_text)
{
    constexpr TColor inactive = 0x7500EA;
    set_font_color(f->Label4, main_text ? clWhite : inactive);
    f->main_text_group->SetVisible(main_text);
    set_font_color(f->Label5, main_text ? inactive : clWhite);
    f->text1_group->SetVisible(!main_text);
}

double print_offset(const TTrackBar* bar)
{
    return shadow_print_offset[std::clamp(bar->Position(), 0, 3)];
}

} // namespace

void TForm1::Button3Click(TObject*)
{
    if (ColorDialog1->Execute())
        recolor({Label1, head_txt, other_txt}, ColorDialog1->Color);
    font_display(this);
}

void TForm1::Button4Click(TObject*)
{
    if (Shadow_ColorDialog->Execute())
        recolor({Label2, head_txt2, other_txt_shadow}, Shadow_ColorDialog->Color);
    font_display(this);
}

void TForm1::get_color_now()
{
    font_rgb = ColorToRGB(ColorDialog1->Color);
    shadow_rgb = ColorToRGB(Shadow_ColorDialog->Color);
    rgb_color_now();
}

void TForm1::rgb_color_now()
{
    font_r = font_rgb & 0xFF;
    font_g = (font_rgb >> 8) & 0xFF;
    font_b = (font_rgb >> 16) & 0xFF;
    shadow_r = shadow_rgb & 0xFF;
    shadow_g = (shadow_rgb >> 8) & 0xFF;
    shadow_b = (shadow_rgb >> 16) & 0xFF;
}

void TForm1::start_drop_shadow_chkClick(TObject*)
{
    head_txt2->SetVisible(start_drop_shadow_chk->Checked());
    font_display(this);
}

void TForm1::drop_shadow_chkClick(TObject*)
{
    Label2->SetVisible(drop_shadow_chk->Checked());
    other_txt_shadow->SetVisible(drop_shadow_chk->Checked());
    font_display(this);
}

// Moving a bar turns its shadow on; when it was off, the switch's own save runs first.
void TForm1::TrackBar1Change(TObject*)
{
    start_drop_shadow_chk->SetChecked(true);
    place_shadow(head_txt2, head_txt, TrackBar1->Position());
    main_shadow_distance = print_offset(TrackBar1);
    rec_ini(TrackBar1);
}

void TForm1::TrackBar2Change(TObject*)
{
    drop_shadow_chk->SetChecked(true);
    place_shadow(Label2, Label1, TrackBar2->Position());
    place_shadow(other_txt_shadow, other_txt, TrackBar2->Position());
    text_shadow_distance = print_offset(TrackBar2);
    rec_ini(TrackBar2);
}

void TForm1::font_selectClick(TObject*)
{
    choose_font(FontDialog2, head_txt, ini_main_font_name, main_font_size_now);
    font_display(this);
}

void TForm1::font_select2Click(TObject*)
{
    choose_font(FontDialog1, Label1, ini_font_name, font_size_now);
    font_display(this);
}

void TForm1::Label4Click(TObject*)
{
    show_control_box(this, true);
}
void TForm1::Label5Click(TObject*)
{
    show_control_box(this, false);
}

// The choice is not saved: each start begins with the first size.
void TForm1::size_selectCloseUp(TObject*)
{
    const QString chosen = size_select->Text();
    const auto match = std::find_if(std::begin(card_sizes), std::end(card_sizes), [&](const CardSize& s) {
        return chosen == QString::fromLatin1(s.entry);
    });
    if (match != std::end(card_sizes)) {
        card_width = match->width;
        card_height = match->height;
        main_text_top = match->main_text_top;
        name_text_top = match->name_text_top;
    }
    if (!search_box->Focused())
        DBGrid1->SetFocus();
}
