// The batch run under the print control window: from the current guest to the end of the list,
// with Pause taking effect between two cards.
#include "designer/printing_fixture.h"
#include "platform/report_support.h"
#include "toolkit/application.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

namespace {

class BatchPrintTest : public PrintingTest {
protected:
    // Five guests, "A a" to "E e"; the print control window open.
    void start_with_five(int current)
    {
        guests({"'A', 'a', NULL", "'B', 'b', NULL", "'C', 'c', NULL", "'D', 'd', NULL", "'E', 'e', NULL"});
        start();
        Form1->ADOQuery1->SetRecNo(current);
        Form1->print_nowClick(Form1->print_now);
    }
    // A click of the user's, waiting in the window system's queue until messages are processed.
    static void queue_click(TButton* button)
    {
        QWidget* w = button->Handle();
        const QPointF at = QRectF(w->rect()).center();
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
            QCoreApplication::postEvent(w, new QMouseEvent(type, at, w->mapToGlobal(at), Qt::LeftButton,
                                                           Qt::LeftButton, Qt::NoModifier));
    }
    static bool all_to_printer(const std::vector<PrintedCard>& cards)
    {
        return std::all_of(cards.begin(), cards.end(),
                           [](const PrintedCard& c) { return c.dest == rdPrinter; });
    }
};

TEST_F(BatchPrintTest, PrintsFromTheCurrentGuestToTheEnd)
{
    start_with_five(3);
    Form6->print_start->Click();
    EXPECT_EQ(printed_guests(), (QStringList{"C c", "D d", "E e"}));
    EXPECT_TRUE(all_to_printer(cards));
    EXPECT_EQ(Form1->ADOQuery1->RecNo(), 5);
    EXPECT_TRUE(Form1->ADOQuery1->Eof());
    EXPECT_EQ(Form1->RvSystem1->DefaultDest, rdPrinter);
    EXPECT_FALSE(Form1->RvProject1->Active());
}

TEST_F(BatchPrintTest, PauseDuringASecondCardStopsAfterItAndPrintStartResumes)
{
    start_with_five(1);
    // Pressed while the second card prints: the engine takes the click before it ends the card.
    during_card = [](int card) {
        if (card == 2)
            queue_click(Form6->stop_print);
    };
    Form6->print_start->Click();
    EXPECT_EQ(printed_guests(), (QStringList{"A a", "B b"}));
    EXPECT_EQ(Form1->stop_page_now->Text(), "yes");
    EXPECT_EQ(Form1->ADOQuery1->RecNo(), 3) << "the first guest not yet printed stays current";

    during_card = nullptr;
    cards.clear();
    queue_click(Form6->print_start);
    pump();
    EXPECT_EQ(printed_guests(), (QStringList{"C c", "D d", "E e"}));
}

TEST_F(BatchPrintTest, PrintStartDuringARunStartsNoSecondRun)
{
    start_with_five(3);
    during_card = [](int card) {
        if (card == 1)
            Form6->print_start->Click();
    };
    Form6->print_start->Click();
    EXPECT_EQ(printed_guests(), (QStringList{"C c", "D d", "E e"}));
}

TEST_F(BatchPrintTest, NoCardJobStartsWhileARunHoldsTheProject)
{
    start_with_five(3);
    // With the control window closed the main window takes clicks again while a card prints.
    size_t added = 0;
    during_card = [&](int card) {
        if (card != 1)
            return;
        const auto parts = [] {
            return Form1->RvProject1->FindRaveComponent("Report1.Page1", nullptr)->Children().size();
        };
        const size_t before = parts();
        Form6->Button1->Click();
        Dispatch([] { Form1->print_coverClick(Form1->print_cover); });
        Form1->Printpreview1->Click();
        added = parts() - before;
    };
    Form6->print_start->Click();
    EXPECT_EQ(added, 0u);
    EXPECT_EQ(printed_guests(), (QStringList{"C c", "D d", "E e"}));
    EXPECT_TRUE(all_to_printer(cards));
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.texts().join("; ").toStdString();
}

TEST_F(BatchPrintTest, ClosingTheWindowDuringARunLetsItFinish)
{
    start_with_five(3);
    bool enabled_at_once = false;
    during_card = [&](int card) {
        if (card == 1) {
            Form6->Button1->Click();
            enabled_at_once = Form1->Enabled();
        }
    };
    EXPECT_FALSE(Form1->Enabled());
    Form6->print_start->Click();
    EXPECT_TRUE(enabled_at_once);
    EXPECT_FALSE(Form6->Visible());
    EXPECT_EQ(Form1->stop_page_now->Text(), "close");
    EXPECT_EQ(printed_guests(), (QStringList{"C c", "D d", "E e"}));
}

TEST_F(BatchPrintTest, NothingLeftToPrintLeavesThePrinterChosen)
{
    guests({"'A', 'a', NULL", "'B', 'b', NULL"});
    start();
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"past the last row",
         [] {
             Form1->ADOQuery1->Last();
             Form1->ADOQuery1->Next();
         }},
        {"empty list",
         [this] {
             folder.sql("DELETE FROM member;");
             Form1->ADOQuery1->Close();
             Form1->ADOQuery1->Open();
         }},
    };
    for (const auto& [name, prepare] : cases) {
        SCOPED_TRACE(name);
        prepare();
        Form1->RvSystem1->DefaultDest = rdPreview;
        Form6->stop_print->Click(); // a Pause outside a run only leaves its mark
        EXPECT_EQ(Form1->stop_page_now->Text(), "yes");
        Form6->print_start->Click();
        EXPECT_TRUE(cards.empty());
        EXPECT_EQ(Form1->stop_page_now->Text(), "");
        EXPECT_EQ(Form1->RvSystem1->DefaultDest, rdPrinter);
        EXPECT_EQ(Unit1::report_was_run, "");
    }
}

TEST_F(BatchPrintTest, AGuestWithABlankNameLineIsPassedOver)
{
    guests({"'A', 'a', NULL", "'', '', 'no name'", "NULL, NULL, NULL", "'C', 'c', NULL"});
    start();
    Form6->print_start->Click();
    EXPECT_EQ(printed_guests(), (QStringList{"A a", "C c"}));
    EXPECT_EQ(Form1->ADOQuery1->RecNo(), 4);
}

// The cards' files written as for the printer, in the background; each submission is caught where
// it would reach the print server.
class SpooledBatchTest : public BatchPrintTest {
protected:
    void SetUp() override
    {
        BatchPrintTest::SetUp();
        TRvSystem::PrinterHook = nullptr;
        TRvSystem::SubmitHook = [this](const QString& path, const QString&, QSizeF) {
            const QString text = ReadPdf(path).Text();
            if (during_submission)
                during_submission(int(submitted.size()) + 1);
            submitted << text.mid(text.indexOf(' ') + 1); // the name line, after the main text
        };
    }
    void TearDown() override
    {
        TRvSystem::SubmitHook = nullptr;
        BatchPrintTest::TearDown();
    }
    // Twelve guests, "A a" to "L l", the first one current; the print control window open. Gives
    // their name lines.
    QStringList start_with_twelve()
    {
        QStringList names;
        std::vector<QString> values;
        for (char c = 'A'; c <= 'L'; ++c) {
            const QChar lower = QChar(c).toLower();
            names << QString("%1 %2").arg(c).arg(lower);
            values.push_back(QString("'%1', '%2', NULL").arg(c).arg(lower));
        }
        guests(values);
        start();
        Form1->print_nowClick(Form1->print_now);
        return names;
    }

    QStringList submitted; // the name lines of the jobs submitted, in order
    // Runs as a job is submitted, before it counts as submitted (1-based job number).
    std::function<void(int job)> during_submission;
};

TEST_F(SpooledBatchTest, ACardThePrinterRefusesEndsTheRunAtItsGuest)
{
    const QString refused = "The printer \"cards\" did not accept the print job: out of paper.";
    start_with_five(1);
    during_submission = [&](int job) {
        if (job == 2)
            throw Exception(refused);
    };
    Dispatch([] { Form6->print_start->Click(); });
    EXPECT_EQ(submitted, QStringList{"A a"}) << "no card after the refused one reaches the printer";
    EXPECT_EQ(dialogs.texts().join("; ").toStdString(), refused.toStdString());
    EXPECT_EQ(Form1->ADOQuery1->RecNo(), 2) << "the run ends at the guest whose card was refused";
    EXPECT_FALSE(Form1->RvProject1->Active());

    during_submission = nullptr;
    submitted.clear();
    Form6->print_start->Click();
    EXPECT_EQ(submitted, (QStringList{"B b", "C c", "D d", "E e"}));
}

TEST_F(SpooledBatchTest, PauseLetsTheCardsMadeBeforeItPrintAndPrintStartResumesAfterThem)
{
    const QStringList names = start_with_twelve();
    // Pressed as the first card goes to the printer, while later ones are made.
    during_submission = [](int job) {
        if (job == 1)
            queue_click(Form6->stop_print);
    };
    Form6->print_start->Click();
    const qsizetype made = Form1->ADOQuery1->RecNo() - 1;
    EXPECT_EQ(submitted, names.mid(0, made)) << "every card made before the Pause and no other";
    EXPECT_EQ(Form1->stop_page_now->Text(), "yes");

    during_submission = nullptr;
    queue_click(Form6->print_start);
    pump();
    EXPECT_EQ(submitted, names);
}

TEST_F(SpooledBatchTest, ClosingTheProgramDuringARunSendsEveryCardInOrderFirst)
{
    const QStringList names = start_with_twelve();
    during_submission = [](int job) {
        if (job == 1) {
            Form6->Button1->Click();
            Form1->Close();
        }
    };
    Form6->print_start->Click();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(submitted, names);
    EXPECT_FALSE(Form1->RvProject1->Active());
}

} // namespace
