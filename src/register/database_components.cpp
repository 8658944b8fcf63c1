// The main window's connection and data sets, opened while the window is created once the
// single-instance guard has admitted the start.
#include "register/database_components.h"
#include "toolkit/dbgrid.h"

namespace {

TADOQuery* query(TADOConnection* c, const QString& name, const QString& sql)
{
    auto* q = new TADOQuery;
    q->Name = name;
    q->SetConnection(c);
    if (!sql.isEmpty())
        q->SetSQL(sql);
    return q;
}

} // namespace

void TForm1::create_database_components()
{
    database_ = std::make_unique<DatabaseComponents>();
    DatabaseComponents& own = *database_;
    ADOConnection1 = keep(own.ADOConnection1, new TADOConnection("ADOConnection1"));
    ADOConnection1->SetConnectionString(
        "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=control.orac;Persist Security Info=False");
    // Another program's database is never taken for ours, nor switched to our journal mode.
    ADOConnection1->RequiredTables = {"member", "mb_group", "for_report_show"};
    ADOQuery1 =
        keep(own.ADOQuery1, query(ADOConnection1, "ADOQuery1", "SELECT * FROM member ORDER BY userid"));
    cnn = keep(own.cnn, query(ADOConnection1, "cnn", "SELECT * FROM mb_group ORDER BY group_name"));
    Table1 = keep(own.Table1, new TADOTable);
    Table1->Name = "Table1";
    Table1->SetConnection(ADOConnection1);
    Table1->SetTableName("mb_group");
    Report_Query = keep(own.Report_Query, query(ADOConnection1, "Report_Query", {}));
    Report_Query2 = keep(own.Report_Query2, query(ADOConnection1, "Report_Query2", {}));
    Report_Query3 = keep(own.Report_Query3, query(ADOConnection1, "Report_Query3", {}));
    Report_Query4 = keep(own.Report_Query4, query(ADOConnection1, "Report_Query4",
                                                  "SELECT * FROM for_report_show WHERE report_show_id = 1"));

    DataSource1 = keep(own.DataSource1, new TDataSource("DataSource1"));
    DataSource1->SetDataSet(ADOQuery1);
    DataSource1->OnDataChange = [this](TField* f) { DataSource1DataChange(nullptr, f); };
    DBGrid1->SetDataSource(DataSource1);
    connect_report_data();
}

void TForm1::open_database_components()
{
    // Each failure is shown and the creation goes on.
    Dispatch([this] { ADOConnection1->Open(); });
    for (TDataSet* ds :
         {static_cast<TDataSet*>(ADOQuery1), static_cast<TDataSet*>(cnn), static_cast<TDataSet*>(Table1)})
        Dispatch([ds] { ds->Open(); });
}
