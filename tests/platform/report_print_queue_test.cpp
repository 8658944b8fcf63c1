// Printing through a real print server: the cups-pdf queue that scripts/start_print_queue.sh sets
// up writes each job as a PDF file, which is read back here.
#include "report_support.h"

#include "system/sysutils.h"

#include <QDateTime>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QThread>

#include <set>

namespace {

bool StartPrintQueue(QString &why) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start("bash", {KRV_SOURCE_DIR "/scripts/start_print_queue.sh"});
    p.waitForFinished(60000);
    why = QString::fromLocal8Bit(p.readAll()).trimmed();
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// Where cups-pdf puts the jobs of the user running the tests.
QString CupsPdfFolder() {
    QString out = "${HOME}/PDF";
    QFile conf("/etc/cups/cups-pdf.conf");
    if (conf.open(QIODevice::ReadOnly)) {
        for (const QString &line : QString::fromLocal8Bit(conf.readAll()).split('\n')) {
            if (line.startsWith("Out "))
                out = line.mid(4).trimmed();
        }
    }
    return out.replace("${HOME}", QDir::homePath());
}

// The page size as a viewer shows it: pdfinfo's size, turned by the page's rotation.
QSizeF ShownPageSize(const QString &path) {
    QProcess p;
    p.start("pdfinfo", {path});
    p.waitForFinished(30000);
    const QString info = p.readAllStandardOutput();
    const auto size = QRegularExpression(R"(Page size:\s+([\d.]+) x ([\d.]+))").match(info);
    const auto rot = QRegularExpression(R"(Page rot:\s+(\d+))").match(info);
    const QSizeF s(size.captured(1).toDouble(), size.captured(2).toDouble());
    return rot.captured(1).toInt() % 180 ? s.transposed() : s;
}

bool RunTool(const QStringList &args) {
    QProcess p;
    p.start(args.first(), args.mid(1));
    return p.waitForFinished(30000) && p.exitCode() == 0;
}

class ReportPrintQueue : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        QString why;
        if (!StartPrintQueue(why))
            GTEST_SKIP() << "no print server could be started here: " << why.toStdString();
        engine.DefaultDest = rdPrinter;
        project.Engine = &engine;
        project.ProjectFile = QStringLiteral(KRV_SOURCE_DIR "/program/op.rav");
        token = QString::number(QRandomGenerator::global()->generate(), 36);
    }

    // One card job: the page and three text lines, as the card printing adds them.
    void printCard(const QString &name) {
        project.Open();
        auto *page = dynamic_cast<TRavePage *>(project.FindRaveComponent("Report1.Page1", nullptr));
        ASSERT_NE(page, nullptr);
        page->PageWidth = 6.26;
        page->PageHeight = 4.25;
        auto *band = project.FindRaveComponent("Band1", project.FindRaveComponent("Region1", page));
        ASSERT_NE(band, nullptr);
        const struct {
            QString text;
            TPrintJustify justify;
            double left, top, width;
        } lines[] = {{"Invite", pjLeft, 1.25, 0.5, 1.0},
                     {name, pjCenter, 0, 1.73, 6.26},
                     {token, pjCenter, 0, 2.33, 6.26}};
        for (const auto &l : lines) {
            auto *t = new TRaveText(band);
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
    std::vector<Job> waitForJobs(size_t count) {
        std::vector<Job> found;
        QElapsedTimer clock;
        clock.start();
        std::set<QString> read;
        while (found.size() < count && clock.elapsed() < 90000) {
            QThread::msleep(250);
            for (QDirIterator it(CupsPdfFolder(), {"*.pdf"}, QDir::Files); it.hasNext();) {
                const QString path = it.next();
                if (read.count(path) || QFileInfo(path).lastModified() < started.addSecs(-2))
                    continue;
                const PdfContent pdf = ReadPdf(path);
                if (pdf.Find(token)) {
                    read.insert(path);
                    found.push_back({pdf, ShownPageSize(path)});
                    QFile::remove(path);
                }
            }
        }
        return found;
    }

    TRvSystem engine;
    TRvProject project;
    QString token;
    QDateTime started = QDateTime::currentDateTime();
};

TEST_F(ReportPrintQueue, ThreeCardsBecomeThreeJobs) {
    for (const char *guest : {"Anna", "Boris", "Clara"})
        printCard(guest);
    const std::vector<Job> jobs = waitForJobs(3);
    ASSERT_EQ(jobs.size(), 3u) << "jobs written by the queue in " << CupsPdfFolder().toStdString();
    QStringList guests;
    for (const auto &[pdf, page] : jobs) {
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

TEST_F(ReportPrintQueue, AQueueThatRefusesJobsIsReported) {
    const QString queue = "krv_refusing_" + token;
    ASSERT_TRUE(RunTool({"lpadmin", "-p", queue, "-E", "-v", "cups-pdf:/"}));
    ASSERT_TRUE(RunTool({"cupsreject", queue}));
    qputenv("PRINTER", queue.toLocal8Bit());
    bool closed = false;
    project.OnAfterClose = [&] { closed = true; };
    try {
        printCard("Anna");
        ADD_FAILURE() << "the job went through";
    } catch (const Exception &e) {
        EXPECT_TRUE(e.Message().contains("did not accept the print job")) << e.what();
        EXPECT_TRUE(e.Message().contains(queue)) << e.what();
    }
    qunsetenv("PRINTER");
    RunTool({"lpadmin", "-x", queue});
    EXPECT_FALSE(project.Active());
    EXPECT_TRUE(closed);
}

} // namespace
