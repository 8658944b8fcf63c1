#pragma once
// One column of a data set's open result; reads and writes the current row.
#include "data/currency.h"

#include <QString>
#include <QVariant>
#include <functional>

class TDataSet;

enum TFieldType { ftUnknown, ftString, ftInteger, ftFloat, ftCurrency };

class TField {
public:
    TField(TDataSet* data_set, int index, QString name, TFieldType type);
    TField(const TField&) = delete;
    TField& operator=(const TField&) = delete;

    QString FieldName() const { return name_; }
    TFieldType DataType() const { return type_; }
    TDataSet* DataSet() const { return data_set_; }
    int Index() const { return index_; }

    // The stored value: invalid QVariant for NULL, else qint64, double, QString or QByteArray.
    QVariant Value() const;
    void SetValue(const QVariant& v);
    bool IsNull() const;
    void Clear();

    // NULL reads as "" or 0. A currency reads as its shortest decimal ("1500", "1500.5").
    QString AsString() const;
    int AsInteger() const;
    Currency AsCurrency() const;
    double AsFloat() const;
    // Writes go to the row being inserted or edited; "" into a number field sets NULL.
    void SetAsString(const QString& v);
    void SetAsInteger(int v);
    void SetAsCurrency(Currency v);
    void SetAsFloat(double v);

    // OnGetText's text when one is attached, else AsString.
    QString DisplayText() const;
    std::function<void(TField* Sender, QString& Text, bool DisplayText)> OnGetText;

    // Where the column comes from: table and column in the file, and the table's alias in the
    // statement; empty for computed columns.
    QString OriginTable;
    QString OriginColumn;
    QString TableAlias;

private:
    TDataSet* data_set_;
    int index_;
    QString name_;
    TFieldType type_;
};
