#pragma once
// One prepared statement with its values bound; failures raise EDatabaseError with the engine's message.
#include <QString>
#include <QVariant>
#include <QVariantList>

struct sqlite3;
struct sqlite3_stmt;

class Statement {
public:
    Statement(sqlite3* db, const QString& sql, const QVariantList& params = {});
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // True while a row is there to read.
    bool Step();
    int ColumnCount() const;
    QVariant Column(int i) const;
    sqlite3_stmt* Handle() const { return stmt_; }

private:
    [[noreturn]] void Raise() const;
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// "name" with its double quotes doubled, for identifiers the layer writes itself.
QString QuoteIdentifier(const QString& name);
