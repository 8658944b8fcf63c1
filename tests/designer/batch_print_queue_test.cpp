// A batch run through the real print server: each card becomes a job of the default queue, and
// so does a statistics report after it.
#include "data/ado.h"
#include "designer/designer_fixture.h"
#include "designer/print_now_control.h"
#include "support/print_queue.h"

namespace {

using BatchPrintQueueTest = DesignerTest;

TEST_F(BatchPrintQueueTest, ThreeGuestsPrintAsThreeCardsOfTheChosenSize)
{
    const OwnPrintQueue queue;
    if (!queue.unavailable().isEmpty())
        GTEST_SKIP() << "no print server could be started here: " << queue.unavailable().toStdString();
    const QString token = print_token();
    folder.sql(QString("INSERT INTO member (userid, name, lastname, other_txt) VALUES "
                       "(1, 'Anna', 'Lind', '%1'), (2, 'Boris', 'Berg', '%1'), (3, 'Clara', 'Holm', '%1');")
                   .arg(token));
    start();
    // "16.0 x 10.8 cm.": 6.26 x 4.25 inches.
    Form1->size_select->SetItemIndex(4);
    Form1->size_selectCloseUp(Form1->size_select);
    Form1->ADOQuery1->First();
    Form1->print_nowClick(Form1->print_now);
    Form6->print_start->Click();
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.texts().join("; ").toStdString();

    const std::vector<QueuedJob> jobs = queue.wait_for_jobs(token, 3);
    ASSERT_EQ(jobs.size(), 3u);
    QStringList names;
    for (const QueuedJob& job : jobs) {
        EXPECT_NEAR(job.page.width(), 6.26 * 72, 1.0);
        EXPECT_NEAR(job.page.height(), 4.25 * 72, 1.0);
        // Main text, then the name line, then the other text.
        const QString text = job.text.simplified();
        const qsizetype main = text.indexOf("Invite"), other = text.indexOf(token);
        EXPECT_GE(main, 0) << text.toStdString();
        EXPECT_GT(other, main) << text.toStdString();
        names << text.mid(main + 6, other - main - 6).trimmed();
        QFile::remove(job.path);
    }
    names.sort();
    EXPECT_EQ(names, (QStringList{"Anna Lind", "Boris Berg", "Clara Holm"}));
}

TEST_F(BatchPrintQueueTest, AfterABatchRunTheReportGoesToThePrinter)
{
    const OwnPrintQueue queue;
    if (!queue.unavailable().isEmpty())
        GTEST_SKIP() << "no print server could be started here: " << queue.unavailable().toStdString();
    const QString token = print_token();
    folder.sql(QString("INSERT INTO member (userid, name, lastname, other_txt) VALUES "
                       "(1, 'Anna', 'Lind', '%1'), (2, 'Boris', 'Berg', '%1');")
                   .arg(token));
    start();
    Form1->ADOQuery1->SetRecNo(2); // one card
    Form1->print_nowClick(Form1->print_now);
    Form6->print_start->Click();
    Form6->Button1->Click();
    Form1->Image5->OnClick(Form1->Image5);
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.texts().join("; ").toStdString();

    const std::vector<QueuedJob> jobs = queue.wait_for_jobs(token, 2);
    ASSERT_EQ(jobs.size(), 2u);
    const QueuedJob& report = jobs[1];
    EXPECT_NEAR(report.page.width(), 8.27 * 72, 1.0);
    EXPECT_NEAR(report.page.height(), 11.69 * 72, 1.0);
    const QString text = report.text.simplified();
    for (const QString& line : {QString("Guest List Report"), "Anna Lind " + token, "Boris Berg " + token})
        EXPECT_TRUE(text.contains(line)) << text.toStdString();
    for (const QueuedJob& job : jobs)
        QFile::remove(job.path);
}

} // namespace
