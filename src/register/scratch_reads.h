#pragma once
// One-value reads on a query: open the statement, read the first row, close.
#include <QString>
#include <QVariantList>

class TADOQuery;

// The field of the first row as an integer; 0 when the result has no row.
int first_integer(TADOQuery* q, const QString& sql, const QVariantList& params, const QString& field);
