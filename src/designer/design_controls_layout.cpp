// The card design controls: colours, fonts, shadows, card sizes and the main-text button.
#include "app/Unit1.h"
#include "app/layout_helpers.h"
#include "designer/card_sizes.h"

namespace {

TGroupBox* control_box(TWinControl* parent, const QString& name, const QString& caption)
{
    auto* g = new TGroupBox(parent);
    g->Name = name;
    g->SetBounds(96, 8, 395, 65);
    g->SetCaption(caption);
    g->SetFont(MakeFont("Verdana", 11, 0, clWhite));
    return g;
}

TCheckBox* shadow_switch(TWinControl* parent, const QString& name)
{
    auto* c = new TCheckBox(parent);
    c->Name = name;
    c->SetBounds(96, 27, 110, 20);
    c->SetCaption("Drop Shadow");
    c->SetFont(MakeFont("Verdana", 11, 0, clWhite));
    return c;
}

TTrackBar* distance_bar(TWinControl* parent, const QString& name)
{
    auto* t = new TTrackBar(parent);
    t->Name = name;
    t->SetBounds(212, 19, 89, 33);
    t->SetRange(0, 3);
    t->SetFrequency(3);
    t->SetHint("Shadow distance");
    return t;
}

} // namespace

void TForm1::create_design_controls()
{
    const TFont small_bold = MakeFont("Verdana", 11, fsBold, clWhite);
    Image2 = tool_image(main_menu, "Image2", "fonts", 184, 11, 36, 36, "Fonts Colors");
    Label10 = text_label(main_menu, "Label10", "Fonts", 186, 52, small_bold);
    Image3 = tool_image(main_menu, "Image3", "shadow", 264, 10, 36, 36, "Fonts Shadow Colors");
    Label15 = text_label(main_menu, "Label15", "Shadow", 260, 52, small_bold);
    Image4 = tool_image(main_menu, "Image4", "gallery", 342, 8, 38, 44, "Gallery");
    Label16 = text_label(main_menu, "Label16", "Gallery", 341, 52, small_bold);
    // Clear of the heart's click area, which ends at 473, and of the search box.
    Image5 = tool_image(main_menu, "Image5", "report", 488, 10, 36, 36, "Report");

    ColorDialog1 = Own(new TColorDialog);
    Shadow_ColorDialog = Own(new TColorDialog);
    FontDialog1 = Own(new TFontDialog);
    FontDialog2 = Own(new TFontDialog);
    FontDialog1->Font = MakeFont("MS Sans Serif", 16);
    FontDialog2->Font = MakeFont("MS Sans Serif", 16);

    Label4 = text_label(display_panel, "Label4", "Main text >", 18, 16, small_bold);
    Label4->SetCursor(crHandPoint);
    Label4->SetHint("Main Text Control");
    TFont text_caption = small_bold;
    text_caption.Color = 0x7500EA;
    Label5 = text_label(display_panel, "Label5", "Text >", 49, 40, text_caption);
    Label5->SetCursor(crHandPoint);
    Label5->SetHint("Text Control");

    main_text_group = control_box(display_panel, "main_text_group", " Main text ");
    font_select = tool_image(main_text_group, "font_select", "font_select", 24, 23, 28, 28, "Fonts");
    start_drop_shadow_chk = shadow_switch(main_text_group, "start_drop_shadow_chk");
    TrackBar1 = distance_bar(main_text_group, "TrackBar1");
    edit_txt = tool_image(main_text_group, "edit_txt", "edit_text", 336, 14, 36, 36, "Edit Main Text");

    text1_group = control_box(display_panel, "text1_group", " Text ");
    text1_group->SetVisible(false);
    font_select2 = tool_image(text1_group, "font_select2", "font_select", 24, 23, 28, 28, "Fonts");
    drop_shadow_chk = shadow_switch(text1_group, "drop_shadow_chk");
    TrackBar2 = distance_bar(text1_group, "TrackBar2");

    Label3 =
        text_label(display_panel, "Label3", "Envelope card:", 332, 77, MakeFont("Verdana", 11, 0, clWhite));
    size_select = new TComboBox(display_panel);
    size_select->Name = "size_select";
    // Wide enough for its entries; it ends before the print button.
    size_select->SetBounds(318, 93, 130, 21);
    for (const CardSize& s : card_sizes)
        size_select->Add(QString::fromLatin1(s.entry));

    Image2->OnClick = Handler(this, &TForm1::Button3Click);
    Image3->OnClick = Handler(this, &TForm1::Button4Click);
    Image5->OnClick = Handler(this, &TForm1::Button8Click);
    start_drop_shadow_chk->OnClick = Handler(this, &TForm1::start_drop_shadow_chkClick);
    drop_shadow_chk->OnClick = Handler(this, &TForm1::drop_shadow_chkClick);
    TrackBar1->OnChange = Handler(this, &TForm1::TrackBar1Change);
    TrackBar2->OnChange = Handler(this, &TForm1::TrackBar2Change);
    font_select->OnClick = Handler(this, &TForm1::font_selectClick);
    font_select2->OnClick = Handler(this, &TForm1::font_select2Click);
    Label4->OnClick = Handler(this, &TForm1::Label4Click);
    Label5->OnClick = Handler(this, &TForm1::Label5Click);
    size_select->OnCloseUp = Handler(this, &TForm1::size_selectCloseUp);
    edit_txt->OnClick = Handler(this, &TForm1::edit_txtClick);
}
