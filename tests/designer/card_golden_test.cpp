// Golden pictures of the card: the preview as the window paints it and the printed card as its PDF
// renders, for designs that differ in colour, shadows and name. Regenerate them on purpose with
// scripts/regenerate_golden_images.sh and look at them before committing.
#include "designer/printing_fixture.h"
#include "report/pdf_output.h"
#include "support/golden_image.h"

#include <QWidget>
#include <optional>

namespace {

struct CardDesign {
    const char* name;
    QString guest;                                  // name, lastname, other text as SQL values
    std::optional<TColor> text_color, shadow_color; // none keeps the start colours
    int main_shadow, text_shadow;                   // shadow steps 0 to 3, -1 off
};

const CardDesign designs[] = {
    {"plain", "'Ann', 'Lee', 'Table 4'", {}, {}, -1, -1},
    {"colours", "'Ann', 'Lee', 'Table 4'", 0x1E3C96, 0x40C0F0, 1, 1},
    {"near_shadows", "'Ann', 'Lee', 'Table 4'", {}, {}, 0, 0},
    {"far_shadows", "'Ann', 'Lee', 'Table 4'", {}, {}, 3, 3},
    {"thai_name", "'สมชาย', 'ใจดี', 'โต๊ะ 5'", {}, {}, -1, 1},
    {"long_name", "'Maximiliana Konstantina', 'Vandersteen-Oppenheimer', 'and family'", {}, {}, -1, -1},
};

// Test names and failures name the design.
void PrintTo(const CardDesign& d, std::ostream* os)
{
    *os << d.name;
}

class CardGoldenTest : public PrintingTest, public ::testing::WithParamInterface<CardDesign> {
protected:
    void design(const CardDesign& d)
    {
        guests({d.guest});
        start();
        if (d.text_color) {
            dialogs.colors.push_back(*d.text_color);
            Form1->Button3Click(Form1->Image2);
        }
        if (d.shadow_color) {
            dialogs.colors.push_back(*d.shadow_color);
            Form1->Button4Click(Form1->Image3);
        }
        // Each bar is dragged to its step, so that even the first step places its shadow.
        for (auto [bar, step] :
             {std::pair{Form1->TrackBar1, d.main_shadow}, {Form1->TrackBar2, d.text_shadow}}) {
            if (step < 0)
                continue;
            bar->SetPosition(step == 0 ? 1 : 0);
            bar->SetPosition(step);
        }
        pump();
    }
};

TEST_P(CardGoldenTest, PreviewAndPrintedCardMatchTheirGoldenPictures)
{
    const CardDesign& d = GetParam();
    design(d);
    const QString golden = QString("designer/golden/card_%1_").arg(d.name);

    const QRect card(Form1->Image1->Left(), Form1->Image1->Top(), Form1->Image1->Width(),
                     Form1->Image1->Height());
    EXPECT_TRUE(MatchesGolden(Form1->display_panel->Handle()->grab(card).toImage(), golden + "preview.png"));

    Form1->print_coverClick(Form1->print_cover);
    ASSERT_EQ(cards.size(), 1u);
    const QString pdf = folder.file("card.pdf");
    WritePdf(cards[0].doc, pdf, "card", [](int) {});
    EXPECT_TRUE(MatchesGolden(RasterisePdf(pdf, 100), golden + "printed.png"));
}

INSTANTIATE_TEST_SUITE_P(Designs, CardGoldenTest, ::testing::ValuesIn(designs),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
