#include "data/query.h"

#include "data/connection.h"
#include "data/statement.h"

void TADOQuery::SetSQL(const QString& text, QVariantList params)
{
    Close();
    sql_ = text;
    params_ = std::move(params);
}

int TADOQuery::ExecSQL()
{
    if (!Connection())
        Fail("Missing Connection or ConnectionString");
    return Connection()->Execute(sql_, params_);
}

void TADOTable::SetTableName(const QString& name)
{
    Close();
    table_ = name;
}

QString TADOTable::SelectText() const
{
    return "SELECT * FROM " + QuoteIdentifier(table_);
}
