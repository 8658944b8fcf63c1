#include "report/dataset_connection.h"

#include "data/dataset.h"
#include "system/sysutils.h"

static TDataSet& dataSet(TDataSet* ds)
{
    if (!ds)
        throw Exception("A report data connection has no data set.");
    return *ds;
}

bool TRvDataSetConnection::Active() const
{
    return dataSet(DataSet).Active();
}
void TRvDataSetConnection::Open()
{
    dataSet(DataSet).Open();
}
void TRvDataSetConnection::Close()
{
    dataSet(DataSet).Close();
}
int TRvDataSetConnection::RecNo() const
{
    return dataSet(DataSet).RecNo();
}
void TRvDataSetConnection::SetRecNo(int recNo)
{
    dataSet(DataSet).SetRecNo(recNo);
}
int TRvDataSetConnection::RowCount() const
{
    return dataSet(DataSet).RecordCount();
}

QString TRvDataSetConnection::FieldText(int row0, const QString& field) const
{
    TDataSet& ds = dataSet(DataSet);
    return ds.DisplayTextAt(row0, ds.FieldByName(field));
}

QVariant TRvDataSetConnection::FieldValue(int row0, const QString& field) const
{
    const TDataSet& ds = dataSet(DataSet);
    return ds.ValueAt(row0, ds.FieldByName(field));
}
