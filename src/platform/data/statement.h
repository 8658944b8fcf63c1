#pragma once
// One prepared statement with its values bound; failures raise EDatabaseError with the engine's message.
#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;
struct sqlite3_value;

// Equal texts read from one column share one string: guest lists repeat names, tables and notes,
// so sharing saves converting, allocating and freeing them. A column whose texts are mostly
// distinct stops sharing, as the look-ups would then cost more than they save.
class TextPool {
public:
    // The text as a value; a shared one costs one reference, not a converted copy.
    QVariant Text(const char* utf8, int bytes);

private:
    // Open addressing over a power-of-two table: a look-up costs a short hash and one compare.
    struct Slot {
        quint32 hash = 0;
        QByteArray bytes; // null while the slot is free
        QString text;
    };
    void Grow();

    std::vector<Slot> slots_;
    int used_ = 0;
    int seen_ = 0;
    bool sharing_ = true;
};

class Statement {
public:
    Statement(sqlite3* db, const QString& sql, const QVariantList& params = {});
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Starts the statement again with new values, so that one preparation serves many runs.
    void Rebind(const QVariantList& params);
    // Ends a run early; a statement that has read a row holds the file's read lock until then.
    void Reset();
    // True while a row is there to read.
    bool Step();
    int ColumnCount() const;
    QVariant Column(int i) const;
    QVariant Column(int i, TextPool& pool) const; // texts through the column's pool
    sqlite3_stmt* Handle() const { return stmt_; }

private:
    static QVariant ValueOf(sqlite3_value* v); // of the engine's type
    [[noreturn]] void Raise() const;
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
    bool running_ = false; // between a run's first step and its end or reset
};

// "name" with its double quotes doubled, for identifiers the layer writes itself.
QString QuoteIdentifier(const QString& name);
