// The main window's report components: the engine's settings and the data connections that
// report projects read by name.
#include "designer/printing_fixture.h"
#include "report/dataset_connection.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

namespace {

using ReportComponentsTest = PrintingTest;

TEST_F(ReportComponentsTest, ConnectionsOfferTheMainWindowsDataSets)
{
    start();
    const std::pair<QString, TDataSet*> expected[] = {
        {"report", Form1->Report_Query},
        {"report2", Form1->Report_Query2},
        {"report3", Form1->Report_Query3},
        {"report_group", Form1->Report_Query4},
        {"RvDataSetConnection1", Form1->ADOQuery1},
    };
    for (const auto& [name, data_set] : expected) {
        SCOPED_TRACE(name.toStdString());
        auto* c = dynamic_cast<TRvDataSetConnection*>(TRvCustomConnection::Find(name));
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->DataSet, data_set);
    }
    EXPECT_EQ(Form1->RvProject1->Engine, Form1->RvSystem1);
    EXPECT_EQ(Form1->RvProject1->ProjectFile, "");
    EXPECT_EQ(Form1->RvSystem1->DefaultDest, rdPreview);
}

TEST_F(ReportComponentsTest, TheStatusWindowShowsWhileACardPrints)
{
    guests({"'Ann', 'Lee', NULL"});
    start();
    QString caption, text;
    during_card = [&](int) {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == "ReportStatusWindow" && w->isVisible()) {
                caption = w->windowTitle();
                text = w->findChild<QLabel*>()->text();
            }
        }
    };
    Form6->print_start->Click();
    ASSERT_EQ(cards.size(), 1u);
    EXPECT_EQ(caption, "Envelope card");
    EXPECT_EQ(text, "Generating page 1");
    EXPECT_EQ(Form1->RvSystem1->TitlePreview, "Envelope card preview");
    EXPECT_EQ(Form1->RvSystem1->SystemPrinter.StatusFormat, "Printing page %p");
    EXPECT_EQ(Form1->RvSystem1->SystemPrinter.Title, "ReportPrinter Report");
}

} // namespace
