// The report engine components of the main window.
#include "app/Unit1.h"
#include "data/ado.h"
#include "report/dataset_connection.h"
#include "report/rave.h"

void TForm1::create_report_components()
{
    RvSystem1 = new TRvSystem;
    RvSystem1->DefaultDest = rdPreview;
    RvSystem1->TitleStatus = "Envelope card";
    RvSystem1->TitlePreview = "Envelope card preview";
    RvSystem1->SystemFiler.StatusFormat = "Generating page %p";
    RvSystem1->SystemPrinter.StatusFormat = "Printing page %p";
    RvSystem1->SystemPrinter.Title = "ReportPrinter Report";

    RvProject1 = new TRvProject;
    RvProject1->Engine = RvSystem1;
    RvProject1->OnAfterClose = [this] { RvProject1AfterClose(nullptr); };

    // The statistics project reads these by name; their data sets come with the database
    // components (connect_report_data).
    report = new TRvDataSetConnection("report");
    report2 = new TRvDataSetConnection("report2");
    report3 = new TRvDataSetConnection("report3");
    report_group = new TRvDataSetConnection("report_group");
    RvDataSetConnection1 = new TRvDataSetConnection("RvDataSetConnection1");
}

void TForm1::connect_report_data()
{
    report->DataSet = Report_Query;
    report2->DataSet = Report_Query2;
    report3->DataSet = Report_Query3;
    report_group->DataSet = Report_Query4;
    RvDataSetConnection1->DataSet = ADOQuery1;
}

// Report projects find connections by name as long as they exist: none may outlive the window.
void TForm1::destroy_report_components()
{
    for (TRvDataSetConnection* c : {report, report2, report3, report_group, RvDataSetConnection1})
        delete c;
    delete RvProject1;
    delete RvSystem1;
}
