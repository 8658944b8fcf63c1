#pragma once
// The tables of a statement's FROM clause with the names they go by there.
#include <QString>
#include <vector>

struct FromTable {
    QString table;
    QString alias; // the table's own name when it has no alias
};

// Reads the first FROM clause outside parentheses; joins by comma and by JOIN alike.
std::vector<FromTable> FromClauseTables(const QString& sql);
