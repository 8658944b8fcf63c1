#pragma once
// Data sets over a statement or a whole table.
#include "data/dataset.h"

class TADOQuery : public TDataSet {
public:
    using TDataSet::TDataSet;

    // Replacing the statement closes the query. Values go to the `?` markers in order and
    // never into the text.
    void SetSQL(const QString& text, QVariantList params = {});
    QString SQLText() const { return sql_; }
    QVariantList Parameters() const { return params_; }
    // Runs a statement that returns no rows; gives the rows changed.
    int ExecSQL();

protected:
    QString SelectText() const override { return sql_; }
    QVariantList SelectParams() const override { return params_; }

private:
    QString sql_;
    QVariantList params_;
};

class TADOTable : public TDataSet {
public:
    using TDataSet::TDataSet;

    // Changing the table closes the data set; it opens "SELECT * FROM <table>".
    void SetTableName(const QString& name);

protected:
    QString SelectText() const override;

private:
    QString table_;
};
