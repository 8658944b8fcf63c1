#pragma once
// The owner of the main window's report engine components. Members go in reverse order of
// declaration: the data set connections, the project, then the engine it prints with. Report projects
// find connections by name while they exist: none may outlive the window.
#include "app/Unit1.h"
#include "report/dataset_connection.h"
#include "report/rave.h"

struct TForm1::ReportComponents {
    std::unique_ptr<TRvSystem> RvSystem1;
    std::unique_ptr<TRvProject> RvProject1;
    std::unique_ptr<TRvDataSetConnection> report, report2, report3, report_group, RvDataSetConnection1;
};
