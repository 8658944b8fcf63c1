#include "data/statement.h"

#include "data/case_fold.h"
#include "data/currency.h"
#include "data/database_error.h"

#include <sqlite3.h>

#include <cstring>

namespace {

void Bind(sqlite3_stmt* stmt, int i, const QVariant& v)
{
    if (v.isNull()) {
        sqlite3_bind_null(stmt, i);
        return;
    }
    if (v.metaType() == QMetaType::fromType<Currency>()) {
        const Currency c = v.value<Currency>();
        if (c.IsWhole())
            sqlite3_bind_int64(stmt, i, sqlite3_int64(c.Raw() / Currency::Scale));
        else
            sqlite3_bind_double(stmt, i, c.ToDouble());
        return;
    }
    switch (v.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::ULongLong:
        sqlite3_bind_int64(stmt, i, v.toLongLong());
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        sqlite3_bind_double(stmt, i, v.toDouble());
        break;
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        sqlite3_bind_blob(stmt, i, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        break;
    }
    default: {
        const QByteArray t = v.toString().toUtf8();
        sqlite3_bind_text(stmt, i, t.constData(), int(t.size()), SQLITE_TRANSIENT);
    }
    }
}

} // namespace

Statement::Statement(sqlite3* db, const QString& sql, const QVariantList& params) : db_(db)
{
    const QByteArray text = sql.toUtf8();
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &stmt_, &tail) != SQLITE_OK)
        Raise();
    if (!stmt_)
        throw EDatabaseError("The statement is empty");
    // A second statement in the text is refused rather than silently dropped.
    sqlite3_stmt* next = nullptr;
    const int rc = sqlite3_prepare_v2(db, tail, int(text.constData() + text.size() - tail), &next, nullptr);
    if (next) {
        sqlite3_finalize(next);
        sqlite3_finalize(stmt_);
        throw EDatabaseError("Characters found after the end of the statement");
    }
    if (rc != SQLITE_OK) {
        const QString msg = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_finalize(stmt_);
        throw EDatabaseError(msg);
    }
    try {
        Rebind(params);
    } catch (...) {
        sqlite3_finalize(stmt_);
        throw;
    }
}

void Statement::Rebind(const QVariantList& params)
{
    Reset();
    const int wanted = sqlite3_bind_parameter_count(stmt_);
    if (wanted != params.size())
        throw EDatabaseError(
            QString("The statement takes %1 values, %2 given").arg(wanted).arg(params.size()));
    for (int i = 0; i < wanted; ++i)
        Bind(stmt_, i + 1, params[i]);
}

void Statement::Reset()
{
    // The failure of the last run was reported by its Step already.
    sqlite3_reset(stmt_);
    running_ = false;
}

Statement::~Statement()
{
    sqlite3_finalize(stmt_);
}

bool Statement::Step()
{
    if (!running_) {
        StatementRunStarts();
        running_ = true;
    }
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    running_ = false; // the engine starts a new run at the next step
    if (rc == SQLITE_DONE)
        return false;
    Raise();
}

int Statement::ColumnCount() const
{
    return sqlite3_column_count(stmt_);
}

// A column is read through its value, whose accessors cost a fraction of the statement's own. The
// engine calls such a value unprotected, meaning read without the connection's mutex: every
// connection here is opened without one and used by one thread at a time.
QVariant Statement::Column(int i) const
{
    return ValueOf(sqlite3_column_value(stmt_, i));
}

QVariant Statement::Column(int i, TextPool& pool) const
{
    sqlite3_value* v = sqlite3_column_value(stmt_, i);
    if (sqlite3_value_type(v) != SQLITE_TEXT)
        return ValueOf(v);
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return pool.Text(text, sqlite3_value_bytes(v));
}

QVariant Statement::ValueOf(sqlite3_value* v)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_value_int64(v)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_value_double(v));
    case SQLITE_TEXT:
        return QVariant(
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)), sqlite3_value_bytes(v)));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char*>(sqlite3_value_blob(v)), sqlite3_value_bytes(v)));
    default:
        return QVariant();
    }
}

namespace {

// FNV-1a: guest texts are short, so a hash over every byte costs less than a stronger one.
quint32 TextHash(const char* utf8, int bytes)
{
    quint32 h = 2166136261u;
    for (int i = 0; i < bytes; ++i)
        h = (h ^ uchar(utf8[i])) * 16777619u;
    return h;
}

} // namespace

QVariant TextPool::Text(const char* utf8, int bytes)
{
    if (!sharing_)
        return QString::fromUtf8(utf8, bytes);
    ++seen_;
    if (slots_.empty())
        slots_.resize(64);
    const quint32 hash = TextHash(utf8, bytes);
    const size_t mask = slots_.size() - 1;
    size_t i = hash & mask;
    for (; !slots_[i].bytes.isNull(); i = (i + 1) & mask) {
        const Slot& s = slots_[i];
        if (s.hash == hash && s.bytes.size() == bytes &&
            std::memcmp(s.bytes.constData(), utf8, size_t(bytes)) == 0)
            return QVariant(s.text);
    }
    const QString text = QString::fromUtf8(utf8, bytes);
    if (seen_ >= 256 && (used_ + 1) * 2 > seen_) {
        sharing_ = false;
        slots_ = {};
        return text;
    }
    // A non-null empty array marks the empty text's slot as taken.
    slots_[i] = {hash, bytes ? QByteArray(utf8, bytes) : QByteArray(""), text};
    if (++used_ * 2 > int(slots_.size()))
        Grow();
    return text;
}

void TextPool::Grow()
{
    std::vector<Slot> old(slots_.size() * 2);
    old.swap(slots_);
    const size_t mask = slots_.size() - 1;
    for (Slot& s : old) {
        if (s.bytes.isNull())
            continue;
        size_t i = s.hash & mask;
        while (!slots_[i].bytes.isNull())
            i = (i + 1) & mask;
        slots_[i] = std::move(s);
    }
}

void Statement::Raise() const
{
    throw EDatabaseError(QString::fromUtf8(sqlite3_errmsg(db_)));
}

QString QuoteIdentifier(const QString& name)
{
    QString n = name;
    return '"' + n.replace('"', "\"\"") + '"';
}
