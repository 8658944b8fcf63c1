// Printing through a real print server: the cups-pdf queue that scripts/start_print_queue.sh sets
// up writes each job as a PDF file, which is read back here.
#include "report_support.h"
#include "support/print_queue.h"

#include "system/sysutils.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QRegularExpression>
#include <QThread>
#include <QTimer>

#include <set>

namespace {

bool RunTool(const QStringList& args)
{
    QProcess p;
    p.start(args.first(), args.mid(1));
    return p.waitForFinished(30000) && p.exitCode() == 0;
}

class ReportPrintQueue : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureApplication();
        if (!queue.unavailable().isEmpty())
            GTEST_SKIP() << "no print server could be started here: " << queue.unavailable().toStdString();
        engine.DefaultDest = rdPrinter;
        project.Engine = &engine;
        project.ProjectFile = QStringLiteral(KRV_SOURCE_DIR "/program/op.rav");
        token = print_token();
    }

    // One card job: the page and three text lines, as the card printing adds them.
    void printCard(const QString& name)
    {
        project.Open();
        auto* page = dynamic_cast<TRavePage*>(project.FindRaveComponent("Report1.Page1", nullptr));
        ASSERT_NE(page, nullptr);
        page->PageWidth = 6.26;
        page->PageHeight = 4.25;
        auto* band = project.FindRaveComponent("Band1", project.FindRaveComponent("Region1", page));
        ASSERT_NE(band, nullptr);
        const struct {
            QString text;
            TPrintJustify justify;
            double left, top, width;
        } lines[] = {{"Invite", pjLeft, 1.25, 0.5, 1.0},
                     {name, pjCenter, 0, 1.73, 6.26},
                     {token, pjCenter, 0, 2.33, 6.26}};
        for (const auto& l : lines) {
            auto* t = new TRaveText(band);
            t->SetParent(page);
            t->Name = project.GetUniqueName("Text", page);
            t->Text = l.text;
            t->FontJustify = l.justify;
            t->Left = l.left;
            t->Top = l.top;
            t->Width = l.width;
            t->Font.Size = 16;
        }
        project.ExecuteReport("Report1");
        project.Close();
    }

    // The PDF files of this test's jobs, waiting for the queue to write them.
    struct Job {
        PdfContent pdf;
        QSizeF page; // points
    };
    std::vector<Job> waitForJobs(size_t count)
    {
        std::vector<Job> found;
        for (const QueuedJob& job : queue.wait_for_jobs(token, count)) {
            found.push_back({ReadPdf(job.path), job.page});
            QFile::remove(job.path);
        }
        return found;
    }

    OwnPrintQueue queue;
    TRvSystem engine;
    TRvProject project;
    QString token;
};

TEST_F(ReportPrintQueue, ThreeCardsBecomeThreeJobs)
{
    for (const char* guest : {"Anna", "Boris", "Clara"})
        printCard(guest);
    const std::vector<Job> jobs = waitForJobs(3);
    ASSERT_EQ(jobs.size(), 3u) << "jobs written by the queue";
    QStringList guests;
    for (const auto& [pdf, page] : jobs) {
        ASSERT_EQ(pdf.Pages.size(), 1u);
        EXPECT_NEAR(page.width(), 6.26 * 72, 1.0);
        EXPECT_NEAR(page.height(), 4.25 * 72, 1.0);
        const QStringList words = pdf.Text().split(' ');
        ASSERT_EQ(words.size(), 3) << pdf.Text().toStdString();
        EXPECT_EQ(words[0], "Invite");
        EXPECT_EQ(words[2], token);
        guests << words[1];
        EXPECT_NEAR(pdf.Find("Invite")->XMin, 1.25 * 72, 2.0);
        // The queue re-embeds the fonts, which moves the word boxes' tops alike: compare distances.
        EXPECT_NEAR(pdf.Find(token)->YMin - pdf.Find("Invite")->YMin, (2.33 - 0.5) * 72, 2.0);
    }
    guests.sort();
    EXPECT_EQ(guests, (QStringList{"Anna", "Boris", "Clara"}));
}

TEST_F(ReportPrintQueue, ThePreviewsPrintButtonPrintsTheCardSize)
{
    engine.DefaultDest = rdPreview;
    // The user presses Print in the preview window, then OK in the print dialog.
    bool printed = false;
    std::function<void()> confirm = [&] {
        if (auto* d = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget()))
            d->accept();
        else
            QTimer::singleShot(20, confirm);
    };
    std::function<void()> print = [&] {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (!preview)
            return QTimer::singleShot(20, print);
        for (QAction* a : preview->findChildren<QAction*>())
            if (a->text() == "Print") {
                printed = true;
                QTimer::singleShot(20, confirm);
                a->trigger();
                return;
            }
        preview->reject();
    };
    QTimer::singleShot(0, print);
    printCard("Anna");
    ASSERT_TRUE(printed) << "the preview has a Print button";
    const std::vector<Job> jobs = waitForJobs(1);
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_NEAR(jobs[0].page.width(), 6.26 * 72, 1.0);
    EXPECT_NEAR(jobs[0].page.height(), 4.25 * 72, 1.0);
    ASSERT_NE(jobs[0].pdf.Find("Invite"), nullptr) << jobs[0].pdf.Text().toStdString();
    EXPECT_NEAR(jobs[0].pdf.Find("Invite")->XMin, 1.25 * 72, 2.0);
}

TEST_F(ReportPrintQueue, AQueueThatRefusesJobsIsReported)
{
    const QString queue = "krv_refusing_" + token;
    ASSERT_TRUE(RunTool({"lpadmin", "-p", queue, "-E", "-v", "cups-pdf:/"}));
    ASSERT_TRUE(RunTool({"cupsreject", queue}));
    const QByteArray test_queue = qgetenv("PRINTER");
    qputenv("PRINTER", queue.toLocal8Bit());
    bool closed = false;
    project.OnAfterClose = [&] { closed = true; };
    try {
        printCard("Anna");
        ADD_FAILURE() << "the job went through";
    } catch (const Exception& e) {
        EXPECT_TRUE(e.Message().contains("did not accept the print job")) << e.what();
        EXPECT_TRUE(e.Message().contains(queue)) << e.what();
    }
    qputenv("PRINTER", test_queue);
    RunTool({"lpadmin", "-x", queue});
    EXPECT_FALSE(project.Active());
    EXPECT_TRUE(closed);
}

} // namespace
