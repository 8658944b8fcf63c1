#pragma once
// A data connection over a data set of the data layer.
#include "report/connection.h"

class TDataSet;

class TRvDataSetConnection : public TRvCustomConnection {
public:
    using TRvCustomConnection::TRvCustomConnection;

    TDataSet* DataSet = nullptr;

    bool Active() const override;
    void Open() override;
    void Close() override;
    int RecNo() const override;
    void SetRecNo(int recNo) override;
    int RowCount() const override;
    // The field's display text; a field the data set lacks raises the data layer's error.
    QString FieldText(int row0, const QString& field) const override;
    QVariant FieldValue(int row0, const QString& field) const override;
};
