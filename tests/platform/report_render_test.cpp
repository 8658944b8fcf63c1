// What a run draws: positions, sizes and fonts in the PDF, the status and preview windows.
#include "report_support.h"

#include <QFontDatabase>
#include <QImage>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTimer>

namespace {

class ReportRender : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureApplication();
        project.Engine = &engine;
        engine.DefaultDest = rdFile;
        engine.OutputFileName = dir.filePath("out.pdf");
        engine.TitleStatus = "Envelope card";
        engine.TitlePreview = "Envelope card preview";
    }

    // A project of one report "R" whose page "P" holds the given items.
    void useProject(double width, double height, const QString& items)
    {
        project.ProjectFile = WriteTextFile(
            dir.filePath("t.rav"),
            ProjectText(
                QString(
                    R"({"name": "R", "pages": [{"name": "P", "width": %1, "height": %2, "items": [%3]}]})")
                    .arg(width)
                    .arg(height)
                    .arg(items)));
    }

    TRaveText* addText(const QString& text, TPrintJustify justify, double left, double top, double width,
                       const TFont& font)
    {
        auto* page = project.FindRaveComponent("R.P", nullptr);
        auto* item = new TRaveText(page);
        item->Name = project.GetUniqueName("Text", page);
        item->Text = text;
        item->FontJustify = justify;
        item->Left = left;
        item->Top = top;
        item->Width = width;
        item->Height = 1.0;
        item->Font = font;
        return item;
    }

    QTemporaryDir dir;
    TRvSystem engine;
    TRvProject project;
};

TFont font(const QString& name, int size, TFontStyles style = 0, TColor color = clBlack)
{
    TFont f;
    f.Name = name;
    f.Size = size;
    f.Style = style;
    f.Color = color;
    return f;
}

TEST_F(ReportRender, TextsLandWhereTheirItemsSay)
{
    useProject(6.26, 4.25, "");
    project.Open();
    addText("Invite", pjLeft, 1.25, 0.5, 1.0, font("DejaVu Sans", 24, fsBold, 0xFF00FF));
    addText("Anna Berg", pjCenter, 0, 1.73, 6.26, font("DejaVu Serif", 16));
    addText("Table 7", pjCenter, 0, 2.33, 6.26, font("DejaVu Sans", 12, fsItalic));
    addText("ends here", pjRight, 3.0, 3.5, 3.0, font("DejaVu Sans", 10));
    project.ExecuteReport("R");
    project.Close();

    const PdfContent pdf = ReadPdf(engine.OutputFileName);
    ASSERT_EQ(pdf.Pages.size(), 1u);
    EXPECT_NEAR(pdf.Pages[0].width(), 6.26 * 72, 0.5);
    EXPECT_NEAR(pdf.Pages[0].height(), 4.25 * 72, 0.5);

    // Golden description, points from the top-left: where each line starts, is centred or ends,
    // and its top (the text's top lies at the item's top); the height follows the point size.
    struct Golden {
        QString first, last;
        char anchor; // 'l' left edge, 'c' centre, 'r' right edge
        double x, top, size;
    };
    const Golden golden[] = {
        {"Invite", "Invite", 'l', 1.25 * 72, 0.5 * 72, 24},
        {"Anna", "Berg", 'c', 6.26 * 72 / 2, 1.73 * 72, 16},
        {"Table", "7", 'c', 6.26 * 72 / 2, 2.33 * 72, 12},
        {"ends", "here", 'r', 6.0 * 72, 3.5 * 72, 10},
    };
    for (const Golden& g : golden) {
        const PdfWord* first = pdf.Find(g.first);
        const PdfWord* last = pdf.Find(g.last);
        ASSERT_TRUE(first && last) << g.first.toStdString() << " in: " << pdf.Text().toStdString();
        const double x = g.anchor == 'l'   ? first->XMin
                         : g.anchor == 'r' ? last->XMax
                                           : (first->XMin + last->XMax) / 2;
        EXPECT_NEAR(x, g.x, 1.5) << g.first.toStdString();
        EXPECT_NEAR(first->YMin, g.top, 1.5) << g.first.toStdString();
        EXPECT_NEAR(first->YMax - first->YMin, g.size * 1.16, g.size * 0.12) << g.first.toStdString();
    }
    EXPECT_EQ(pdf.Text(), "Invite Anna Berg Table 7 ends here");

    QProcess fonts;
    fonts.start("pdffonts", {engine.OutputFileName});
    fonts.waitForFinished(30000);
    const QString list = fonts.readAllStandardOutput();
    for (const char* face : {"DejaVuSans-Bold", "DejaVuSerif", "DejaVuSans-Oblique", "DejaVuSans "})
        EXPECT_TRUE(list.contains(face)) << face << " in\n" << list.toStdString();
}

TEST_F(ReportRender, EachPageHasItsOwnSize)
{
    project.ProjectFile = WriteTextFile(dir.filePath("two.rav"), ProjectText(R"({"name": "R", "pages": [
            {"name": "A", "width": 4, "height": 6, "items": [{"type": "text", "text": "first", "top": 1}]},
            {"name": "B", "width": 8.5, "height": 3, "items": [{"type": "text", "text": "second", "top": 2},
                {"type": "picture", "file": "none.png", "width": 1, "height": 1}]}]})"));
    project.ExecuteReport("R");
    const PdfContent pdf = ReadPdf(engine.OutputFileName);
    ASSERT_EQ(pdf.Pages.size(), 2u);
    EXPECT_NEAR(pdf.Pages[0].width(), 288, 0.5);
    EXPECT_NEAR(pdf.Pages[0].height(), 432, 0.5);
    EXPECT_NEAR(pdf.Pages[1].width(), 612, 0.5);
    EXPECT_NEAR(pdf.Pages[1].height(), 216, 0.5);
    ASSERT_TRUE(pdf.Find("second"));
    EXPECT_EQ(pdf.Find("second")->Page, 2);
    EXPECT_NEAR(pdf.Find("second")->YMin, 144, 1.5);
}

TEST_F(ReportRender, AnElidedTextEndsWithinItsWidth)
{
    useProject(4, 3,
               R"({"type": "text", "text": "Uncle Theodore and family", "left": 1, "top": 1, "width": 1.2,)"
               R"( "elide": true, "font": {"name": "DejaVu Sans", "size": 12}},)"
               R"({"type": "text", "text": "Short", "left": 1, "top": 2, "width": 1.2, "elide": true})");
    project.ExecuteReport("R");
    const PdfContent pdf = ReadPdf(engine.OutputFileName);
    ASSERT_GE(pdf.Words.size(), 2u);
    EXPECT_TRUE(pdf.Text().startsWith("Uncle ")) << pdf.Text().toStdString();
    EXPECT_TRUE(pdf.Text().endsWith("\u2026 Short")) << pdf.Text().toStdString();
    EXPECT_LE(pdf.Words[pdf.Words.size() - 2].XMax, 2.2 * 72 + 0.5);
}

// Where a text's line sits: its top plus the face's ascent in the box that poppler gives.
double baseline(const PdfWord& w)
{
    constexpr double dejaVuAscent = 0.928 / (0.928 + 0.236);
    return w.YMin + (w.YMax - w.YMin) * dejaVuAscent;
}

TEST_F(ReportRender, AFittedTextShrinksIntoItsWidthOnItsOwnBaseline)
{
    const QString wide = "9,223,372,036,854,775,807";
    useProject(
        6, 2,
        QString(R"({"type": "text", "text": "%1", "left": 1, "top": 0.5, "width": 1.58, "fit": true,)"
                R"( "justify": "center", "font": {"name": "DejaVu Sans", "size": 16, "style": ["bold"]}},)"
                R"({"type": "text", "text": "1,500", "left": 3, "top": 0.5, "width": 1.58, "fit": true,)"
                R"( "justify": "center", "font": {"name": "DejaVu Sans", "size": 16, "style": ["bold"]}})")
            .arg(wide));
    project.ExecuteReport("R");
    const PdfContent pdf = ReadPdf(engine.OutputFileName);
    const PdfWord* shrunk = pdf.Find(wide);
    const PdfWord* kept = pdf.Find("1,500");
    ASSERT_TRUE(shrunk && kept) << pdf.Text().toStdString();
    EXPECT_GE(shrunk->XMin, 1 * 72 - 0.5);
    EXPECT_LE(shrunk->XMax, 2.58 * 72 + 0.5);
    EXPECT_GE(shrunk->XMax - shrunk->XMin, 1.58 * 72 * 0.97) << "fills its width";
    EXPECT_NEAR(kept->YMax - kept->YMin, 16 * 1.16, 16 * 0.12) << "a text that fits keeps its size";
    EXPECT_NEAR(baseline(*shrunk), baseline(*kept), 0.5);
}

TEST_F(ReportRender, PicturesAreScaledIntoTheirRectangle)
{
    QImage image(10, 20, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(dir.filePath("art.png")));
    useProject(4, 3,
               R"({"type": "picture", "file": "art.png", "left": 1, "top": 1, "width": 0.5, "height": 2})");
    project.ExecuteReport("R");
    QProcess images;
    images.start("pdfimages", {"-list", engine.OutputFileName});
    images.waitForFinished(30000);
    const QStringList rows = QString(images.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 3) << "two heading lines and one image";
    const QStringList cols = rows[2].simplified().split(' ');
    EXPECT_EQ(cols.value(3), "10");
    EXPECT_EQ(cols.value(4), "20");
    EXPECT_EQ(cols.value(12), "20") << "10 pixels across half an inch";
    EXPECT_EQ(cols.value(13), "10") << "20 pixels down two inches";
}

TEST_F(ReportRender, StatusWindowShowsEachStepAndMessagesFlow)
{
    useProject(4, 3, "");
    project.ProjectFile =
        WriteTextFile(dir.filePath("two.rav"),
                      ProjectText(R"({"name": "R", "pages": [{"name": "A", "width": 4, "height": 3},
                                              {"name": "B", "width": 4, "height": 3}]})"));
    QStringList seen;
    bool done = false;
    std::function<void()> watch = [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible() && w->windowTitle() == "Envelope card") {
                for (QLabel* l : w->findChildren<QLabel*>()) {
                    if (seen.isEmpty() || seen.back() != l->text())
                        seen << l->text();
                }
            }
        }
        if (!done)
            QTimer::singleShot(0, watch);
    };
    QTimer::singleShot(0, watch);
    project.ExecuteReport("R");
    done = true;
    QCoreApplication::processEvents();
    EXPECT_EQ(seen,
              (QStringList{"Generating page 1", "Generating page 2", "Printing page 1", "Printing page 2"}));
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible() && w->windowTitle() == "Envelope card") << "hidden after the run";
}

TEST_F(ReportRender, TheDestinationIsTheOneSetWhenTheRunStarted)
{
    useProject(4, 3, R"({"type": "text", "text": "card"})");
    bool previewed = false;
    TRvSystem::PreviewHook = [&](const TRvDocument&) { previewed = true; };
    // Another handler changes the destination while the engine processes messages.
    QTimer::singleShot(0, [&] { engine.DefaultDest = rdPreview; });
    project.ExecuteReport("R");
    TRvSystem::PreviewHook = nullptr;
    EXPECT_FALSE(previewed);
    EXPECT_TRUE(QFile::exists(engine.OutputFileName));
}

TEST_F(ReportRender, PreviewIsModalMaximisedAndCaptioned)
{
    useProject(6.26, 4.25, R"({"type": "text", "text": "card"})");
    engine.DefaultDest = rdPreview;
    QString caption;
    bool maximised = false, modal = false;
    int polls = 0;
    std::function<void()> closeIt = [&] {
        if (auto* dlg = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget())) {
            caption = dlg->windowTitle();
            maximised = dlg->windowState() & Qt::WindowMaximized;
            modal = dlg->isModal();
            dlg->reject();
        } else if (++polls < 500) {
            QTimer::singleShot(10, closeIt);
        }
    };
    QTimer::singleShot(0, closeIt);
    project.ExecuteReport("R"); // returns once the window is closed
    EXPECT_EQ(caption, "Envelope card preview");
    EXPECT_TRUE(maximised);
    EXPECT_TRUE(modal);
}

// The preview plays back a recorded page; a Thai line must stand on the same baseline as a Latin
// one there, as it does on paper.
TEST_F(ReportRender, ThePreviewSetsThaiAndLatinOnOneBaseline)
{
    if (QFontDatabase::families(QFontDatabase::Thai).isEmpty())
        GTEST_SKIP() << "no Thai font installed";
    // Letters that stand on the baseline, with nothing below it.
    useProject(
        4, 1.2,
        QString::fromUtf8(R"({"type": "text", "text": "nnnnnn", "left": 0.3, "top": 0.4, "width": 1.5,)"
                          R"( "font": {"name": "DejaVu Sans", "size": 14}},)"
                          R"({"type": "text", "text": "กกกกกก", "left": 2.2, "top": 0.4, "width": 1.5,)"
                          R"( "font": {"name": "DejaVu Sans", "size": 14}})"));
    engine.DefaultDest = rdPreview;
    QImage shot;
    int polls = 0;
    std::function<void()> grab = [&] {
        auto* dlg = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        auto* view = dlg ? dlg->findChild<QPrintPreviewWidget*>() : nullptr;
        if (!view || !view->isVisible()) {
            if (++polls < 500)
                QTimer::singleShot(10, grab);
            return;
        }
        view->setZoomMode(QPrintPreviewWidget::FitToWidth);
        QApplication::processEvents();
        shot = view->grab().toImage();
        dlg->reject();
    };
    QTimer::singleShot(0, grab);
    project.ExecuteReport("R");
    ASSERT_FALSE(shot.isNull());

    // The page is the white area; the lowest ink of each text is its baseline.
    QRect page;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (shot.pixel(x, y) == qRgb(255, 255, 255))
                page |= QRect(x, y, 1, 1);
    ASSERT_GT(page.width(), 200);
    const double dots = page.width() / 4.0; // per inch
    const auto lowestInk = [&](double from, double to) {
        int lowest = -1;
        for (int y = page.top(); y < page.top() + int(1.0 * dots); ++y)
            for (int x = page.left() + int(from * dots); x < page.left() + int(to * dots); ++x)
                if (qGray(shot.pixel(x, y)) < 128)
                    lowest = y;
        return lowest;
    };
    const int latin = lowestInk(0.3, 1.8), thai = lowestInk(2.2, 3.7);
    ASSERT_GT(latin, page.top());
    EXPECT_NEAR(thai, latin, 1.0) << "at " << dots << " dots an inch";
}

} // namespace
