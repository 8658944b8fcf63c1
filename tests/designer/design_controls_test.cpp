// The card design controls: colours, fonts, shadow switches and distances, control boxes and
// card sizes.
#include "designer/designer_fixture.h"

namespace {

class DesignControlsTest : public DesignerTest {
protected:
    void SetUp() override
    {
        DesignerTest::SetUp();
        start();
    }
    // The shadow's offset from its front label, right and down.
    static std::pair<int, int> offset(const TLabel* shadow, const TLabel* front)
    {
        return {shadow->Left() - front->Left(), shadow->Top() - front->Top()};
    }
};

TEST_F(DesignControlsTest, EachDistanceStepPlacesTheShadowAndSetsThePrintOffset)
{
    const struct {
        int step, pixels;
        double inches;
    } steps[] = {{1, 2, 0.014}, {3, 4, 0.03}, {2, 3, 0.02}, {0, 1, 0.006}};
    for (const auto& s : steps) {
        SCOPED_TRACE(s.step);
        Form1->TrackBar1->SetPosition(s.step);
        EXPECT_EQ(offset(Form1->head_txt2, Form1->head_txt), std::make_pair(s.pixels, s.pixels));
        EXPECT_DOUBLE_EQ(Unit1::main_shadow_distance, s.inches);

        Form1->TrackBar2->SetPosition(s.step);
        EXPECT_EQ(offset(Form1->Label2, Form1->Label1), std::make_pair(s.pixels, s.pixels));
        EXPECT_EQ(offset(Form1->other_txt_shadow, Form1->other_txt), std::make_pair(s.pixels, s.pixels));
        EXPECT_DOUBLE_EQ(Unit1::text_shadow_distance, s.inches);
    }
    Form1->TrackBar1->SetPosition(7);
    EXPECT_EQ(Form1->TrackBar1->Position(), 3);
    EXPECT_EQ(offset(Form1->head_txt2, Form1->head_txt), std::make_pair(4, 4));
}

TEST_F(DesignControlsTest, MovingABarWhileItsSwitchIsOffTurnsTheShadowOn)
{
    ASSERT_FALSE(Form1->start_drop_shadow_chk->Checked());
    ASSERT_FALSE(Form1->head_txt2->Visible());
    Form1->TrackBar1->SetPosition(2);
    EXPECT_TRUE(Form1->start_drop_shadow_chk->Checked());
    EXPECT_TRUE(Form1->head_txt2->Visible());
    EXPECT_EQ(offset(Form1->head_txt2, Form1->head_txt), std::make_pair(3, 3));
    EXPECT_EQ(stored("main_d_SD"), "1");
    EXPECT_EQ(stored("trackbar_pos1"), "2");
    // The other switch is untouched.
    EXPECT_FALSE(Form1->drop_shadow_chk->Checked());
    EXPECT_FALSE(Form1->Label2->Visible());

    Form1->TrackBar2->SetPosition(1);
    EXPECT_TRUE(Form1->drop_shadow_chk->Checked());
    EXPECT_TRUE(Form1->Label2->Visible());
    EXPECT_TRUE(Form1->other_txt_shadow->Visible());
}

TEST_F(DesignControlsTest, ASwitchTurnedOffAndOnKeepsTheStep)
{
    Form1->TrackBar2->SetPosition(3);
    Form1->drop_shadow_chk->SetChecked(false);
    EXPECT_FALSE(Form1->Label2->Visible());
    EXPECT_FALSE(Form1->other_txt_shadow->Visible());
    EXPECT_EQ(Form1->TrackBar2->Position(), 3);
    // Stored as off at step 0, so the next start begins there.
    EXPECT_EQ(stored("d_SD"), "0");
    EXPECT_EQ(stored("trackbar_pos2"), "0");
    Form1->drop_shadow_chk->SetChecked(true);
    EXPECT_TRUE(Form1->Label2->Visible());
    EXPECT_TRUE(Form1->other_txt_shadow->Visible());
    EXPECT_EQ(offset(Form1->Label2, Form1->Label1), std::make_pair(4, 4));
    EXPECT_DOUBLE_EQ(Unit1::text_shadow_distance, 0.03);
}

TEST_F(DesignControlsTest, TheTextColourRecoloursTheThreeFrontsAndTheShadowColourTheThreeShadows)
{
    const TColor shadows_before = Form1->Label2->Font().Color;
    dialogs.colors.push_back(0x00A000);
    Form1->Image2->OnClick(Form1->Image2);
    for (const TLabel* l : {Form1->Label1, Form1->head_txt, Form1->other_txt})
        EXPECT_EQ(l->Font().Color, 0x00A000) << l->Name.toStdString();
    EXPECT_EQ(Form1->ColorDialog1->Color, 0x00A000);
    EXPECT_EQ(Form1->Label2->Font().Color, shadows_before);

    dialogs.colors.push_back(0x404040);
    Form1->Image3->OnClick(Form1->Image3);
    for (const TLabel* l : {Form1->Label2, Form1->head_txt2, Form1->other_txt_shadow})
        EXPECT_EQ(l->Font().Color, 0x404040) << l->Name.toStdString();
    EXPECT_EQ(Form1->Label1->Font().Color, 0x00A000);
    EXPECT_EQ(stored("r_SD_color") + "," + stored("g_SD_color") + "," + stored("b_SD_color"), "64,64,64");
    EXPECT_EQ(stored("g_font_color"), "160");

    // Cancelled: the dialog ran, nothing changed.
    Form1->Image2->OnClick(Form1->Image2);
    EXPECT_EQ(dialogs.colorRuns, 3);
    EXPECT_EQ(Form1->Label1->Font().Color, 0x00A000);
}

TEST_F(DesignControlsTest, ColoursSplitIntoBytesWithSystemColoursResolved)
{
    Form1->ColorDialog1->Color = 0x123456;
    Form1->Shadow_ColorDialog->Color = clWindowText;
    Form1->get_color_now();
    using namespace Unit1;
    EXPECT_EQ(font_rgb, 0x123456);
    EXPECT_EQ((std::array<int, 3>{font_r, font_g, font_b}), (std::array<int, 3>{0x56, 0x34, 0x12}));
    EXPECT_EQ(shadow_rgb, ColorToRGB(clWindowText));
    EXPECT_EQ((std::array<int, 3>{shadow_r, shadow_g, shadow_b}), (std::array<int, 3>{0, 0, 0}));
    Form1->Shadow_ColorDialog->Color = 0xC0C0C0;
    Form1->get_color_now();
    EXPECT_EQ((std::array<int, 3>{shadow_r, shadow_g, shadow_b}), (std::array<int, 3>{192, 192, 192}));
}

TEST_F(DesignControlsTest, AChosenFontGoesToItsLineAndItsShadowWithItsStyle)
{
    TFont italic = MakeFont("DejaVu Serif", 24, fsItalic);
    dialogs.fonts.push_back(italic);
    Form1->font_select->OnClick(Form1->font_select);
    for (const TLabel* l : {Form1->head_txt, Form1->head_txt2}) {
        EXPECT_EQ(l->Font().Name, "DejaVu Serif") << l->Name.toStdString();
        EXPECT_EQ(l->Font().Size, 18);
        EXPECT_EQ(l->Font().Style, fsItalic);
    }
    EXPECT_EQ(Form1->head_txt->Font().Color, 0xFF80FF);
    EXPECT_EQ(Unit1::ini_main_font_name, "DejaVu Serif");
    EXPECT_EQ(Unit1::main_font_size_now, 18);
    EXPECT_EQ(Form1->Label1->Font().Name, "Verdana");

    dialogs.fonts.push_back(MakeFont("DejaVu Sans", 32, 0));
    Form1->font_select2->OnClick(Form1->font_select2);
    for (const TLabel* l : {Form1->Label1, Form1->Label2, Form1->other_txt, Form1->other_txt_shadow}) {
        EXPECT_EQ(l->Font().Name, "DejaVu Sans") << l->Name.toStdString();
        EXPECT_EQ(l->Font().Size, 24);
        EXPECT_EQ(l->Font().Style, 0u);
    }
    EXPECT_EQ(Unit1::ini_font_name, "DejaVu Sans");
    EXPECT_EQ(Unit1::font_size_now, 24);

    // Cancelled: the labels keep their fonts.
    Form1->font_select2->OnClick(Form1->font_select2);
    EXPECT_EQ(dialogs.fontRuns, 3);
    EXPECT_EQ(Form1->Label1->Font().Name, "DejaVu Sans");
}

// Only the labels keep the style over a restart; a dialog that opened on a style of its own would
// hand that style to the card on OK.
TEST_F(DesignControlsTest, AFontDialogOpensOnItsLabelsFaceStyle)
{
    ASSERT_EQ(Form1->head_txt->Font().Style, fsBold);
    ASSERT_EQ(Form1->FontDialog2->Font.Style, 0u);
    const QString face = Form1->FontDialog2->Font.Name;
    Form1->font_select->OnClick(Form1->font_select);
    Form1->font_select2->OnClick(Form1->font_select2);
    dialogs.fonts.push_back(MakeFont("DejaVu Serif", 24, fsItalic));
    Form1->font_select->OnClick(Form1->font_select);
    Form1->font_select->OnClick(Form1->font_select);
    ASSERT_EQ(dialogs.fontsShown.size(), 4u);
    EXPECT_EQ(dialogs.fontsShown[0].Style, fsBold);
    EXPECT_EQ(dialogs.fontsShown[0].Name, face);
    EXPECT_EQ(dialogs.fontsShown[1].Style, fsBold);
    EXPECT_EQ(dialogs.fontsShown[3].Style, fsItalic);
    EXPECT_EQ(dialogs.fontsShown[3].Name, "DejaVu Serif");
}

TEST_F(DesignControlsTest, ExactlyOneControlBoxShowsWithItsCaptionWhite)
{
    auto expect_shown = [](bool main_text) {
        EXPECT_EQ(Form1->main_text_group->Visible(), main_text);
        EXPECT_EQ(Form1->text1_group->Visible(), !main_text);
        EXPECT_EQ(Form1->Label4->Font().Color, main_text ? clWhite : 0x7500EA);
        EXPECT_EQ(Form1->Label5->Font().Color, main_text ? 0x7500EA : clWhite);
    };
    expect_shown(true);
    Form1->Label5->OnClick(Form1->Label5);
    expect_shown(false);
    Form1->Label5->OnClick(Form1->Label5);
    expect_shown(false);
    Form1->Label4->OnClick(Form1->Label4);
    expect_shown(true);
}

TEST_F(DesignControlsTest, TheChosenCardSizeSetsTheFourLengths)
{
    using namespace Unit1;
    const struct {
        double width, height, main_top, name_top;
    } sizes[] = {{6.0, 6.0, 1.6, 2.25},
                 {5.75, 5.3, 1.41, 2.0},
                 {7.25, 5.28, 1.4, 2.05},
                 {7.58, 4.27, 1.21, 1.75},
                 {6.26, 4.25, 1.2, 1.73}};
    ASSERT_EQ(Form1->size_select->Count(), 5);
    EXPECT_EQ(Form1->size_select->Item(0), "\r15.2 x 15.2 cm.");
    // The activation already applied the first entry.
    EXPECT_DOUBLE_EQ(card_width, 6.0);
    for (int i : {3, 1, 4, 2, 0, 0}) {
        SCOPED_TRACE(i);
        card_width = card_height = main_text_top = name_text_top = 0;
        Form1->size_select->SetItemIndex(i);
        Form1->size_selectCloseUp(Form1->size_select);
        EXPECT_DOUBLE_EQ(card_width, sizes[i].width);
        EXPECT_DOUBLE_EQ(card_height, sizes[i].height);
        EXPECT_DOUBLE_EQ(main_text_top, sizes[i].main_top);
        EXPECT_DOUBLE_EQ(name_text_top, sizes[i].name_top);
    }

    // Without its carriage return the first entry matches no size: the lengths stay.
    Form1->size_select->SetItemIndex(3);
    Form1->size_selectCloseUp(Form1->size_select);
    Form1->size_select->SetItem(0, "15.2 x 15.2 cm.");
    Form1->size_select->SetItemIndex(0);
    Form1->size_selectCloseUp(Form1->size_select);
    EXPECT_DOUBLE_EQ(card_width, 7.58);
    EXPECT_DOUBLE_EQ(name_text_top, 1.75);
}

} // namespace
