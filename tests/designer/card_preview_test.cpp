// The card preview: the refresh that follows the current guest and the font application.
#include "data/ado.h"
#include "designer/designer_fixture.h"

#include <QLocale>

namespace {

using CardPreviewTest = DesignerTest;

struct RefreshCase {
    const char* values; // name, lastname, other_txt
    QString name_line;
    bool current;
};

TEST_F(CardPreviewTest, ShowsTheCurrentGuestsTexts)
{
    const RefreshCase cases[] = {
        {"'Ann', 'Lee', 'Table 5'", "Ann Lee", true},
        {"'', 'Smith', NULL", " Smith", true},
        {"'  Ann ', 'Lee  ', '  x  '", "  Ann  Lee  ", true},
        {"'', '', 'Other only'", " ", false},
        {"NULL, NULL, NULL", " ", false},
    };
    start();
    for (const RefreshCase& c : cases) {
        SCOPED_TRACE(c.values);
        folder.sql(QString("DELETE FROM member; INSERT INTO member (userid, name, lastname, other_txt) "
                           "VALUES (1, %1);")
                       .arg(c.values));
        Form1->ADOQuery1->Close();
        Form1->ADOQuery1->Open();
        EXPECT_EQ(Form1->Label1->Caption(), c.name_line);
        EXPECT_EQ(Form1->Label2->Caption(), c.name_line);
        const QString other = Form1->ADOQuery1->FieldByName("other_txt")->AsString();
        EXPECT_EQ(Form1->other_txt->Caption(), other);
        EXPECT_EQ(Form1->other_txt_shadow->Caption(), other);
        EXPECT_EQ(Form1->del->Visible(), c.current);
        EXPECT_EQ(Form1->guest_is_current(), c.current);
        EXPECT_EQ(Form1->Label12->Caption(), "1");
    }
}

TEST_F(CardPreviewTest, AnEmptyListShowsNoGuest)
{
    start();
    EXPECT_EQ(Form1->Label1->Caption(), " ");
    EXPECT_EQ(Form1->Label2->Caption(), " ");
    EXPECT_EQ(Form1->other_txt->Caption(), "");
    EXPECT_EQ(Form1->other_txt_shadow->Caption(), "");
    EXPECT_EQ(Form1->money_show->Caption(), "");
    EXPECT_FALSE(Form1->del->Visible());
    EXPECT_EQ(Form1->Label12->Caption(), "0");
}

TEST_F(CardPreviewTest, TheMoneyLineShowsPositiveAmountsOnly)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const struct {
        const char* money;
        QString line;
    } cases[] = {
        {"12500", "Money = 12,500.-"},
        {"1500.50", "Money = 1,500.50.-"},
        {"12345678901234", "Money = 12,345,678,901,234.-"},
        {"0.25", "Money = 0.25.-"},
        {"NULL", ""},
        {"0", ""},
        {"-300", ""},
    };
    start();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.money);
        folder.sql(QString("DELETE FROM member; INSERT INTO member (userid, name, lastname, money) "
                           "VALUES (1, 'Ann', 'Lee', %1);")
                       .arg(c.money));
        Form1->ADOQuery1->Close();
        Form1->ADOQuery1->Open();
        EXPECT_EQ(Form1->money_show->Caption(), c.line);
    }
    QLocale::setDefault(previous);
}

TEST_F(CardPreviewTest, FollowsTheCurrentRowAndEachFieldSetDuringAnEdit)
{
    folder.sql("INSERT INTO member (userid, name, lastname, other_txt) VALUES (1, 'Ann', 'Lee', 'A'), "
               "(2, 'Bob', 'Ray', 'B'), (3, 'Cid', 'Moe', 'C');");
    start();
    TADOQuery* q = Form1->ADOQuery1;
    EXPECT_EQ(Form1->Label12->Caption(), "3");
    q->First();
    q->Next();
    EXPECT_EQ(Form1->Label1->Caption(), "Bob Ray");
    EXPECT_EQ(Form1->other_txt_shadow->Caption(), "B");

    q->Edit();
    q->FieldByName("name")->SetAsString("Bea");
    EXPECT_EQ(Form1->Label1->Caption(), "Bea Ray");
    EXPECT_EQ(Form1->Label2->Caption(), "Bea Ray");
    q->FieldByName("other_txt")->SetAsString("Table 9");
    EXPECT_EQ(Form1->other_txt->Caption(), "Table 9");
    EXPECT_EQ(Form1->other_txt_shadow->Caption(), "Table 9");
    q->FieldByName("money")->SetAsCurrency(250);
    EXPECT_EQ(Form1->money_show->Caption(), "Money = 250.-");
    q->Cancel();
    EXPECT_EQ(Form1->Label1->Caption(), "Bob Ray");
    EXPECT_EQ(Form1->money_show->Caption(), "");

    q->Delete();
    EXPECT_EQ(Form1->Label1->Caption(), "Cid Moe");
    EXPECT_EQ(Form1->Label12->Caption(), "2");
}

// The start fonts as the layout gives them: face, points, bold.
void expect_face(const TLabel* l, const QString& name, int size, bool bold)
{
    SCOPED_TRACE(l->Name.toStdString());
    EXPECT_EQ(l->Font().Name, name);
    EXPECT_EQ(l->Font().Size, size);
    EXPECT_EQ(bool(l->Font().Style & fsBold), bold);
}

TEST_F(CardPreviewTest, FirstRunKeepsTheStartColoursAndFonts)
{
    start();
    EXPECT_EQ(Form1->Label1->Font().Color, 0xFF80FF);
    EXPECT_EQ(Form1->head_txt->Font().Color, 0xFF80FF);
    EXPECT_EQ(Form1->other_txt->Font().Color, clWindowText);
    EXPECT_EQ(Form1->Label2->Font().Color, clWindowText);
    EXPECT_EQ(Form1->head_txt2->Font().Color, clBlack);
    EXPECT_EQ(Form1->other_txt_shadow->Font().Color, clWindowText);
    // The other text and the shadows wear the name line's and the main text's faces.
    for (const TLabel* l : {Form1->Label1, Form1->Label2, Form1->other_txt, Form1->other_txt_shadow})
        expect_face(l, "Verdana", 20, true);
    for (const TLabel* l : {Form1->head_txt, Form1->head_txt2})
        expect_face(l, "Verdana", 12, true);
    EXPECT_EQ(Form1->head_txt->Caption(), "Invite");
    EXPECT_FALSE(Form1->head_txt2->Visible());
    EXPECT_FALSE(Form1->Label2->Visible());
    EXPECT_FALSE(Form1->other_txt_shadow->Visible());
}

TEST_F(CardPreviewTest, TheFirstRunsSettingsApplyOnceReadBack)
{
    start();
    EXPECT_EQ(stored("r_font_color") + stored("g_font_color") + stored("b_font_color"), "2550255");
    EXPECT_EQ(stored("font_select_name"), "MS Sans Serif");
    EXPECT_EQ(Form1->Label1->Font().Color, 0xFF80FF);
    // The next full activation reads them.
    Form1->FormActivate(Form1);
    for (const TLabel* l : {Form1->Label1, Form1->head_txt, Form1->other_txt})
        EXPECT_EQ(l->Font().Color, 0xFF00FF) << l->Name.toStdString();
    for (const TLabel* l : {Form1->Label2, Form1->head_txt2, Form1->other_txt_shadow})
        EXPECT_EQ(l->Font().Color, 0xC0C0C0) << l->Name.toStdString();
    for (const TLabel* l : {Form1->Label1, Form1->Label2, Form1->other_txt, Form1->other_txt_shadow,
                            Form1->head_txt, Form1->head_txt2})
        expect_face(l, "MS Sans Serif", 12, true);
    EXPECT_EQ(Form1->head_txt->Caption(), "Invite");
}

TEST_F(CardPreviewTest, KnownColoursAndFontsApplyToFrontsAndShadowsApart)
{
    start();
    using namespace Unit1;
    ini_r_font_color = ini_g_font_color = ini_b_font_color = "1";
    ini_r_SD_color = ini_g_SD_color = ini_b_SD_color = "1";
    Form1->ColorDialog1->Color = 0x123456;
    Form1->Shadow_ColorDialog->Color = 0xC0C0C0;
    ini_font_name = "DejaVu Serif";
    font_size_now = 14;
    ini_main_font_name = "MS Sans Serif";
    main_font_size_now = 12;
    // The other text copies the name line before the stored font applies: it lags one run, as
    // the activation's repeated runs allow for.
    Form1->font_display(Form1);
    EXPECT_EQ(Form1->other_txt->Font().Size, 20);
    Form1->font_display(Form1);

    for (const TLabel* l : {Form1->Label1, Form1->head_txt, Form1->other_txt})
        EXPECT_EQ(l->Font().Color, 0x123456) << l->Name.toStdString();
    for (const TLabel* l : {Form1->Label2, Form1->head_txt2, Form1->other_txt_shadow})
        EXPECT_EQ(l->Font().Color, 0xC0C0C0) << l->Name.toStdString();
    // Only name and size come from the settings: the style stays bold.
    for (const TLabel* l : {Form1->Label1, Form1->Label2, Form1->other_txt, Form1->other_txt_shadow})
        expect_face(l, "DejaVu Serif", 14, true);
    for (const TLabel* l : {Form1->head_txt, Form1->head_txt2})
        expect_face(l, "MS Sans Serif", 12, true);
    EXPECT_EQ(Form1->FontDialog1->Font.Name, "DejaVu Serif");
    EXPECT_EQ(Form1->FontDialog1->Font.Size, 14);
    EXPECT_EQ(Form1->FontDialog2->Font.Name, "MS Sans Serif");
    EXPECT_EQ(Form1->FontDialog2->Font.Size, 12);

    // A colour part missing: that colour is not applied.
    ini_g_SD_color.clear();
    Form1->Shadow_ColorDialog->Color = 0x00FF00;
    Form1->font_display(Form1);
    EXPECT_EQ(Form1->Label2->Font().Color, 0xC0C0C0);
}

TEST_F(CardPreviewTest, LabelHeightsFollowTheFontSizeBeforeTheCopies)
{
    start();
    for (const TLabel* l : {Form1->Label1, Form1->Label2, Form1->other_txt, Form1->other_txt_shadow})
        EXPECT_EQ(l->Height(), 120) << l->Name.toStdString();

    TFont big = MakeFont("Verdana", 48, fsBold);
    ASSERT_EQ(big.Size, 36);
    dialogs.fonts.push_back(big);
    Form1->font_select2Click(Form1->font_select2);
    EXPECT_EQ(Form1->Label1->Height(), 136);
    for (const TLabel* l : {Form1->Label2, Form1->other_txt, Form1->other_txt_shadow}) {
        EXPECT_EQ(l->Height(), 120) << l->Name.toStdString();
        EXPECT_EQ(l->Font().Size, 36) << l->Name.toStdString();
    }
    Form1->font_display(Form1);
    for (const TLabel* l : {Form1->Label1, Form1->Label2, Form1->other_txt, Form1->other_txt_shadow})
        EXPECT_EQ(l->Height(), 136) << l->Name.toStdString();
}

} // namespace
