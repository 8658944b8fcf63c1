// The report engine components of the main window.
#include "designer/report_components.h"
#include "data/ado.h"

void TForm1::create_report_components()
{
    reports_ = std::make_unique<ReportComponents>();
    ReportComponents& own = *reports_;
    RvSystem1 = keep(own.RvSystem1, new TRvSystem);
    RvSystem1->DefaultDest = rdPreview;
    RvSystem1->TitleStatus = "Envelope card";
    RvSystem1->TitlePreview = "Envelope card preview";
    RvSystem1->SystemFiler.StatusFormat = "Generating page %p";
    RvSystem1->SystemPrinter.StatusFormat = "Printing page %p";
    RvSystem1->SystemPrinter.Title = "ReportPrinter Report";

    RvProject1 = keep(own.RvProject1, new TRvProject);
    RvProject1->Engine = RvSystem1;
    RvProject1->OnAfterClose = [this] { RvProject1AfterClose(nullptr); };

    // The statistics project reads these by name; their data sets come with the database
    // components (connect_report_data).
    report = keep(own.report, new TRvDataSetConnection("report"));
    report2 = keep(own.report2, new TRvDataSetConnection("report2"));
    report3 = keep(own.report3, new TRvDataSetConnection("report3"));
    report_group = keep(own.report_group, new TRvDataSetConnection("report_group"));
    RvDataSetConnection1 = keep(own.RvDataSetConnection1, new TRvDataSetConnection("RvDataSetConnection1"));
}

void TForm1::connect_report_data()
{
    report->DataSet = Report_Query;
    report2->DataSet = Report_Query2;
    report3->DataSet = Report_Query3;
    report_group->DataSet = Report_Query4;
    RvDataSetConnection1->DataSet = ADOQuery1;
}
