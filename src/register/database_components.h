#pragma once
// The owner of the main window's connection, data sets and data source. Members go in reverse order
// of declaration: the data source, the data sets, then their connection.
#include "app/Unit1.h"
#include "data/ado.h"

struct TForm1::DatabaseComponents {
    std::unique_ptr<TADOConnection> ADOConnection1;
    std::unique_ptr<TADOQuery> ADOQuery1, cnn;
    std::unique_ptr<TADOTable> Table1;
    std::unique_ptr<TADOQuery> Report_Query, Report_Query2, Report_Query3, Report_Query4;
    std::unique_ptr<TDataSource> DataSource1;
};
