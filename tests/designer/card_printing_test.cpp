// The card job: the text items it adds, the card it renders, its guards and its failures.
#include "designer/printing_fixture.h"
#include "platform/report_support.h"
#include "report/pdf_output.h"
#include "toolkit/application.h"

namespace {

using CardJobTest = PrintingTest;

QStringList names(const PrintedCard& card)
{
    QStringList n;
    for (const PrintedItem& i : card.items)
        n << i.name;
    return n;
}

void choose_size(int index)
{
    Form1->size_select->SetItemIndex(index);
    Form1->size_selectCloseUp(Form1->size_select);
}

TEST_F(CardJobTest, TheShadowSwitchesDecideWhichItemsExist)
{
    const struct {
        bool main_shadow, text_shadow;
        QStringList items;
    } cases[] = {
        {false, false, {"Text991", "Text1101", "Text1121"}},
        {true, true, {"Text981", "Text991", "Text1001", "Text1101", "Text1111", "Text1121"}},
        {true, false, {"Text981", "Text991", "Text1101", "Text1121"}},
        {false, true, {"Text991", "Text1001", "Text1101", "Text1111", "Text1121"}},
    };
    guests({"'Ann', 'Lee', NULL"});
    start();
    for (const auto& c : cases) {
        SCOPED_TRACE(QString("main %1, text %2").arg(c.main_shadow).arg(c.text_shadow).toStdString());
        Form1->start_drop_shadow_chk->SetChecked(c.main_shadow);
        Form1->drop_shadow_chk->SetChecked(c.text_shadow);
        cards.clear();
        Form1->print_coverClick(Form1->print_cover);
        ASSERT_EQ(cards.size(), 1u);
        // Each job starts from the file again, so the names never grow beyond the first.
        EXPECT_EQ(names(cards[0]), c.items);
        // An empty other text still has its item.
        EXPECT_EQ(cards[0].items.back().name, "Text1121");
        EXPECT_EQ(cards[0].items.back().text, "");
        EXPECT_FALSE(Form1->RvProject1->Active());
    }
}

TEST_F(CardJobTest, ItemsTakeTheCardSizeShadowDistancesTextsAndFonts)
{
    guests({"'Ann', 'Lee', 'Table 4'"});
    start();
    choose_size(4);                   // 16.0 x 10.8 cm.
    Form1->TrackBar1->SetPosition(2); // main shadow 0.02 inch, ticks its switch
    Form1->drop_shadow_chk->SetChecked(true);
    // Distinct captions and fonts show which label each item copies.
    const struct {
        TLabel* label;
        QString caption;
        TFont font;
    } labels[] = {
        {Form1->head_txt, "Invite", MakeFont("Verdana", 16, fsBold, 0x0000FF)},
        {Form1->head_txt2, "Main shadow", MakeFont("Georgia", 12, fsItalic, 0x00FF00)},
        {Form1->Label1, "Ann Lee", MakeFont("Verdana", 27, fsBold, 0xFF80FF)},
        {Form1->Label2, "Name shadow", MakeFont("Courier", 24, fsUnderline, 0x808080)},
        {Form1->other_txt, "Table 4", MakeFont("Arial", 13, 0, 0x112233)},
        {Form1->other_txt_shadow, "Other shadow", MakeFont("Times", 15, fsItalic | fsStrikeOut, 0x445566)},
    };
    for (const auto& l : labels) {
        l.label->SetCaption(l.caption);
        l.label->SetFont(l.font);
    }
    TFont main_shadow = labels[0].font;
    main_shadow.Color = labels[1].font.Color;

    Form1->print_coverClick(Form1->print_cover);
    ASSERT_EQ(cards.size(), 1u);
    const PrintedCard& card = cards[0];
    EXPECT_EQ(card.dest, rdPreview);
    ASSERT_EQ(card.doc.Sheets.size(), 1u);
    EXPECT_DOUBLE_EQ(card.doc.Sheets[0].Width, 6.26);
    EXPECT_DOUBLE_EQ(card.doc.Sheets[0].Height, 4.25);

    const PrintedItem expected[] = {
        {"Text981", pjLeft, 1.22, 1.27, 1.0, 1.0, "Main shadow", main_shadow},
        {"Text991", pjLeft, 1.2, 1.25, 1.0, 1.0, "Invite", labels[0].font},
        {"Text1001", pjCenter, 1.736, 0.006, 6.26, 1.0, "Ann Lee", labels[3].font},
        {"Text1101", pjCenter, 1.73, 0, 6.26, 1.0, "Ann Lee", labels[2].font},
        {"Text1111", pjCenter, 2.336, 0.006, 6.26, 1.0, "Table 4", labels[5].font},
        {"Text1121", pjCenter, 2.33, 0, 6.26, 1.0, "Table 4", labels[4].font},
    };
    ASSERT_EQ(card.items.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const PrintedItem &e = expected[i], &a = card.items[i];
        SCOPED_TRACE(e.name.toStdString());
        EXPECT_EQ(a.name, e.name);
        EXPECT_EQ(a.justify, e.justify);
        EXPECT_NEAR(a.top, e.top, 1e-9);
        EXPECT_NEAR(a.left, e.left, 1e-9);
        EXPECT_NEAR(a.width, e.width, 1e-9);
        EXPECT_NEAR(a.height, e.height, 1e-9);
        EXPECT_EQ(a.text, e.text);
        EXPECT_TRUE(a.font == e.font) << a.font.Name.toStdString() << " " << a.font.Size;
    }
}

// Where the card's words land on the PDF page, in points from its top-left corner: the main text
// starts 1.25 inch from the left edge, the name line and the other text are centred on the page.
struct GoldenLine {
    QString words;
    bool centred;
    double x; // left edge, or centre when centred
    double top;
};

TEST_F(CardJobTest, TheRenderedCardMatchesItsGoldenDescription)
{
    guests({"'Ann', 'Lee', 'Table 4'"});
    start();
    choose_size(4);
    const GoldenLine golden[] = {
        {"Invite", false, 90.0, 86.4},
        {"Ann Lee", true, 225.36, 124.56},
        {"Table 4", true, 225.36, 167.76},
    };
    Form1->print_coverClick(Form1->print_cover);
    ASSERT_EQ(cards.size(), 1u);

    // The drawn texts carry the labels' fonts and colours.
    std::vector<TRvDrawnText> drawn;
    for (const TRvDrawing& d : cards[0].doc.Sheets.at(0).Drawings) {
        if (auto* t = std::get_if<TRvDrawnText>(&d))
            drawn.push_back(*t);
    }
    ASSERT_EQ(drawn.size(), 3u);
    const TLabel* sources[] = {Form1->head_txt, Form1->Label1, Form1->other_txt};
    for (size_t i = 0; i < drawn.size(); ++i) {
        EXPECT_EQ(drawn[i].Text, golden[i].words);
        EXPECT_TRUE(drawn[i].Font == sources[i]->Font()) << drawn[i].Text.toStdString();
    }

    const QString pdf_path = folder.file("card.pdf");
    WritePdf(cards[0].doc, pdf_path, "card", [](int) {});
    const PdfContent pdf = ReadPdf(pdf_path);
    ASSERT_EQ(pdf.Pages.size(), 1u);
    EXPECT_NEAR(pdf.Pages[0].width(), 6.26 * 72, 0.5);
    EXPECT_NEAR(pdf.Pages[0].height(), 4.25 * 72, 0.5);
    double heights[3] = {};
    for (size_t i = 0; i < std::size(golden); ++i) {
        const GoldenLine& g = golden[i];
        SCOPED_TRACE(g.words.toStdString());
        const QStringList words = g.words.split(' ');
        const PdfWord* first = pdf.Find(words.first());
        const PdfWord* last = pdf.Find(words.last());
        ASSERT_TRUE(first && last) << pdf.Text().toStdString();
        const double x = g.centred ? (first->XMin + last->XMax) / 2 : first->XMin;
        EXPECT_NEAR(x, g.x, 2.0);
        EXPECT_NEAR(first->YMin, g.top, 3.0);
        heights[i] = first->YMax - first->YMin;
    }
    // The name line prints at its label's 20 points, the main text at 12.
    EXPECT_NEAR(heights[1] / heights[0], 20.0 / 12.0, 0.1);
}

TEST_F(CardJobTest, GuardsDestinationsAndTheRunFlag)
{
    start();
    // No guest: nothing happens, not even the flag.
    Form1->print_coverClick(Form1->print_cover);
    EXPECT_TRUE(cards.empty());
    EXPECT_EQ(Unit1::report_was_run, "");

    folder.sql("INSERT INTO member (userid, name, lastname) VALUES (1, 'Ann', 'Lee');");
    Form1->ADOQuery1->Close();
    Form1->ADOQuery1->Open();
    Form1->print_coverClick(Form6->stop_print);
    EXPECT_TRUE(cards.empty()) << "the Pause button prints no card";
    EXPECT_EQ(Unit1::report_was_run, "");

    // A single job goes to the preview whatever the last destination was.
    const std::function<void()> single_jobs[] = {
        [] { Form1->print_coverClick(Form1->print_cover); },
        [] { Form1->Printpreview1->Click(); },
        [] { Form1->Print2->Click(); },
    };
    for (const auto& job : single_jobs) {
        Form1->RvSystem1->DefaultDest = rdPrinter;
        cards.clear();
        job();
        ASSERT_EQ(cards.size(), 1u);
        EXPECT_EQ(cards[0].dest, rdPreview);
        EXPECT_EQ(Form1->RvSystem1->DefaultDest, rdPreview);
        EXPECT_EQ(Unit1::report_was_run, "yes");
        EXPECT_FALSE(Form1->RvProject1->Active());
    }
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.texts().join('|').toStdString();
}

TEST_F(CardJobTest, AFailedJobIsShownAndLeavesNoProjectOpen)
{
    const QString missing_path =
        QString("The following reporting project does not exist:\r\"%1\"").arg(folder.file("op.rav"));
    const struct {
        const char* name;
        QByteArray project; // empty: no file
        QString box;        // empty: none
    } cases[] = {
        {"missing file", {}, missing_path},
        {"not a project", "just some text", "Invalid Project Format."},
        {"no report Report1",
         ProjectText(R"({"name": "Other", "pages": [{"name": "Page1", "items": [{"type": "region",
            "name": "Region1", "items": [{"type": "band", "name": "Band1"}]}]}]})")
             .toUtf8(),
         {}},
        {"no page Page1", ProjectText(R"({"name": "Report1", "pages": [{"name": "Sheet"}]})").toUtf8(),
         QString("The card project \"%1\" has no page \"Report1.Page1\".").arg(folder.file("op.rav"))},
    };
    guests({"'Ann', 'Lee', NULL"});
    start();
    QFile shipped(folder.file("op.rav"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    const QByteArray card_project = shipped.readAll();
    shipped.close();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(folder.file("op.rav"));
        if (!c.project.isEmpty())
            write_project(c.project);
        Unit1::report_was_run.clear();
        dialogs.boxes.clear();
        cards.clear();
        Dispatch([] { Form1->print_coverClick(Form1->print_cover); });
        EXPECT_TRUE(cards.empty());
        EXPECT_EQ(dialogs.texts(), c.box.isEmpty() ? QStringList() : QStringList{c.box});
        EXPECT_EQ(Unit1::report_was_run, "yes");
        EXPECT_FALSE(Form1->RvProject1->Active());

        // The next job starts from a fresh project.
        write_project(card_project);
        Form1->print_coverClick(Form1->print_cover);
        ASSERT_EQ(cards.size(), 1u);
        EXPECT_EQ(names(cards[0]), (QStringList{"Text991", "Text1101", "Text1121"}));
    }
}

TEST_F(CardJobTest, WithoutAPrintQueueTheBatchStopsWithAMessage)
{
    // A print server that does not exist: no queue can be found.
    TRvSystem::PrinterHook = nullptr;
    qputenv("CUPS_SERVER", QFile::encodeName(folder.file("no-server.sock")));
    guests({"'Ann', 'Lee', NULL", "'Bob', 'Ray', NULL"});
    start();
    Form1->print_nowClick(Form1->print_now);
    Dispatch([] { Form6->print_start->Click(); });
    qunsetenv("CUPS_SERVER");
    EXPECT_EQ(dialogs.texts(), QStringList{"No printer is installed."});
    EXPECT_EQ(Form1->ADOQuery1->RecNo(), 1) << "the run ends at the guest that failed";
    EXPECT_EQ(Unit1::report_was_run, "yes");
    EXPECT_FALSE(Form1->RvProject1->Active());
}

} // namespace
