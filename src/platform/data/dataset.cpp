#include "data/dataset.h"

#include "data/connection.h"
#include "data/database_error.h"
#include "data/datasource.h"
#include "data/from_clause.h"
#include "data/statement.h"
#include "toolkit/application.h"

#include <QHash>
#include <algorithm>
#include <sqlite3.h>

namespace {

TFieldType TypeOfDeclared(const char* declared)
{
    const QString d = QString::fromUtf8(declared).toUpper();
    if (d.contains("INT"))
        return ftInteger;
    if (d.contains("CHAR") || d.contains("CLOB") || d.contains("TEXT"))
        return ftString;
    if (d.contains("REAL") || d.contains("FLOA") || d.contains("DOUB"))
        return ftFloat;
    if (d.contains("NUMERIC") || d.contains("DEC") || d.contains("MONEY") || d.contains("CURRENCY"))
        return ftCurrency;
    return ftUnknown;
}

// A computed column takes the kind of its first value.
TFieldType TypeOfValue(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::LongLong:
        return ftInteger;
    case QMetaType::Double:
        return ftFloat;
    case QMetaType::QString:
        return ftString;
    default:
        return ftUnknown;
    }
}

bool SameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

TDataSet::TDataSet(QString name) : Name(std::move(name)) {}

TDataSet::~TDataSet()
{
    if (connection_)
        connection_->Detach(this);
    for (TDataSource* s : sources_)
        s->DataSetGone();
}

void TDataSet::SetConnection(TADOConnection* c)
{
    if (c == connection_)
        return;
    Close();
    if (connection_)
        connection_->Detach(this);
    connection_ = c;
    if (c)
        c->Attach(this);
}

void TDataSet::ConnectionGone()
{
    Close();
    connection_ = nullptr;
}

void TDataSet::AddDataSource(TDataSource* ds)
{
    sources_.push_back(ds);
}
void TDataSet::RemoveDataSource(TDataSource* ds)
{
    std::erase(sources_, ds);
}

void TDataSet::EnableControls()
{
    if (controls_disabled_ > 0 && --controls_disabled_ == 0 && Active())
        Notify(TDataEvent::RowsChanged);
}

void TDataSet::Notify(TDataEvent e, TField* field)
{
    if (controls_disabled_ > 0)
        return;
    for (TDataSource* s : std::vector<TDataSource*>(sources_))
        s->Notify(e, field);
}

void TDataSet::Fail(const QString& reason) const
{
    throw EDatabaseError(Name.isEmpty() ? reason : Name + ": " + reason);
}

void TDataSet::CheckActive() const
{
    if (Active())
        return;
    // A data set that could not be opened says why, not merely that it is closed.
    if (!open_failure_.isEmpty())
        throw EDatabaseError(open_failure_);
    Fail("Cannot perform this operation on a closed dataset");
}

void TDataSet::Open()
{
    if (Active())
        return;
    try {
        Fetch();
        open_failure_.clear();
    } catch (const EDatabaseError& e) {
        open_failure_ = e.Message();
        throw;
    }
}

void TDataSet::Fetch()
{
    if (!connection_)
        Fail("Missing Connection or ConnectionString");
    sqlite3* db = connection_->Connect();
    const QString sql = SelectText();
    Statement st(db, sql, SelectParams());
    const int n = st.ColumnCount();
    if (n == 0)
        Fail("The statement returns no rows");
    std::vector<Row> rows = FetchRows(st);

    struct Column {
        QString name, table, origin, alias;
        TFieldType type;
    };
    const std::vector<FromTable> tables = FromClauseTables(sql);
    std::vector<Column> cols;
    QHash<QString, int> name_count;
    for (int c = 0; c < n; ++c) {
        Column col{QString::fromUtf8(sqlite3_column_name(st.Handle(), c)),
                   QString::fromUtf8(sqlite3_column_table_name(st.Handle(), c)),
                   QString::fromUtf8(sqlite3_column_origin_name(st.Handle(), c)),
                   {},
                   TypeOfDeclared(sqlite3_column_decltype(st.Handle(), c))};
        for (size_t r = 0; col.type == ftUnknown && r < rows.size(); ++r)
            if (!rows[r].values[c].isNull())
                col.type = TypeOfValue(rows[r].values[c]);
        col.alias = col.table;
        for (const FromTable& t : tables)
            if (SameName(t.table, col.table)) {
                col.alias = t.alias;
                break;
            }
        ++name_count[col.name.toLower()];
        cols.push_back(col);
    }
    std::vector<std::unique_ptr<TField>> fields;
    for (int c = 0; c < n; ++c) {
        const Column& col = cols[c];
        // A column name that occurs twice (a joined SELECT *) goes by alias, point and name.
        const bool twice = name_count[col.name.toLower()] > 1 && !col.alias.isEmpty();
        auto f = std::make_unique<TField>(this, c, twice ? col.alias + '.' + col.name : col.name, col.type);
        f->OriginTable = col.table;
        f->OriginColumn = col.origin;
        f->TableAlias = col.alias;
        fields.push_back(std::move(f));
    }
    LearnBaseTable(db, fields);

    old_fields_.clear();
    fields_ = std::move(fields);
    next_seq_ = (long long)rows.size();
    rows_ = std::move(rows);
    sort_.clear();
    state_ = dsBrowse;
    current_ = rows_.empty() ? -1 : 0;
    bof_ = true;
    eof_ = rows_.empty();
    Notify(TDataEvent::Opened);
}

std::vector<TDataSet::Row> TDataSet::FetchRows(Statement& st) const
{
    const int n = st.ColumnCount();
    std::vector<Row> rows;
    std::vector<TextPool> pools(n);
    long long seq = 0;
    while (st.Step()) {
        Row r;
        r.values.reserve(n);
        for (int c = 0; c < n; ++c)
            r.values.push_back(st.Column(c, pools[c]));
        r.seq = seq++;
        rows.push_back(std::move(r));
    }
    return rows;
}

void TDataSet::Refresh()
{
    if (!Active())
        return;
    std::vector<QVariant> key;
    if (current_ >= 0)
        for (int k : key_fields_)
            key.push_back(rows_[current_].values[k]);
    const int was = current_;
    Statement st(connection_->Connect(), SelectText(), SelectParams());
    if (st.ColumnCount() != int(fields_.size()))
        Fail("The statement's columns changed");
    rows_ = FetchRows(st);
    next_seq_ = (long long)rows_.size();
    state_ = dsBrowse;
    pending_ = {};
    changed_.clear();
    current_ = -1;
    if (!sort_.isEmpty())
        SortRows(sort_);
    const auto same_key = [&](const Row& r) {
        for (size_t i = 0; i < key.size(); ++i)
            if (r.values[key_fields_[i]] != key[i])
                return false;
        return true;
    };
    const auto found = key.empty() ? rows_.end() : std::find_if(rows_.begin(), rows_.end(), same_key);
    current_ = found != rows_.end() ? int(found - rows_.begin())
                                    : (rows_.empty() ? -1 : std::clamp(was, 0, int(rows_.size()) - 1));
    bof_ = eof_ = rows_.empty();
    Notify(TDataEvent::RowsChanged);
}

void TDataSet::LearnBaseTable(sqlite3* db, const std::vector<std::unique_ptr<TField>>& fields)
{
    base_table_.clear();
    key_fields_.clear();
    not_writable_reason_ = "Cannot modify a read-only dataset";
    for (const auto& f : fields) {
        if (f->OriginTable.isEmpty())
            continue;
        if (base_table_.isEmpty())
            base_table_ = f->OriginTable;
        else if (!SameName(base_table_, f->OriginTable))
            return base_table_.clear(); // a join: rows belong to no single table
    }
    if (base_table_.isEmpty())
        return;
    Statement pk(db, "SELECT name FROM pragma_table_info(?) WHERE pk > 0 ORDER BY pk", {base_table_});
    while (pk.Step()) {
        const QString column = pk.Column(0).toString();
        const auto f = std::find_if(fields.begin(), fields.end(), [&](const auto& f) {
            return SameName(f->OriginTable, base_table_) && SameName(f->OriginColumn, column);
        });
        if (f == fields.end()) {
            key_fields_.clear();
            not_writable_reason_ = "Key column information is insufficient for updating";
            return;
        }
        key_fields_.push_back(int(f - fields.begin()));
    }
    if (!key_fields_.empty())
        not_writable_reason_.clear();
}

void TDataSet::DropPrepared()
{
    insert_ = {};
    reread_ = {};
}

void TDataSet::Close()
{
    open_failure_.clear();
    if (!Active())
        return;
    state_ = dsInactive;
    DropPrepared();
    rows_.clear();
    pending_ = {};
    changed_.clear();
    // Stale field pointers stay valid (reading NULL) until the next Open.
    old_fields_ = std::move(fields_);
    fields_.clear();
    current_ = -1;
    bof_ = eof_ = true;
    sort_.clear();
    Notify(TDataEvent::Closed);
}

int TDataSet::RecordCount() const
{
    CheckActive();
    return int(rows_.size());
}

int TDataSet::RecNo() const
{
    return Active() ? current_ + 1 : 0;
}

void TDataSet::Scroll(int to, bool always)
{
    const bool moved = to != current_;
    current_ = to;
    if (moved || always)
        Notify(TDataEvent::Scrolled);
}

void TDataSet::First()
{
    CheckActive();
    CheckBrowseMode();
    bof_ = true;
    eof_ = rows_.empty();
    Scroll(rows_.empty() ? -1 : 0, true);
}

void TDataSet::Last()
{
    CheckActive();
    CheckBrowseMode();
    eof_ = true;
    bof_ = rows_.empty();
    Scroll(int(rows_.size()) - 1, true);
}

int TDataSet::MoveBy(int distance)
{
    CheckActive();
    CheckBrowseMode();
    if (distance == 0 || (distance > 0 && eof_) || (distance < 0 && bof_))
        return 0;
    const long long wanted = (long long)current_ + distance;
    const int to = int(std::clamp<long long>(wanted, 0, (long long)rows_.size() - 1));
    if (distance > 0) {
        eof_ = wanted > to;
        bof_ = false;
    } else {
        bof_ = wanted < to;
        eof_ = false;
    }
    const int moved = to - current_;
    Scroll(to, false);
    return moved;
}

void TDataSet::SetRecNo(int rec_no)
{
    CheckActive();
    CheckBrowseMode();
    if (rows_.empty())
        return;
    bof_ = eof_ = false;
    Scroll(std::clamp(rec_no, 1, int(rows_.size())) - 1, false);
}

TField* TDataSet::FindField(const QString& name) const
{
    for (const auto& f : fields_)
        if (SameName(f->FieldName(), name))
            return f.get();
    // "alias.column" or "table.column" by where the column comes from.
    const qsizetype dot = name.lastIndexOf('.');
    if (dot > 0) {
        const QString qualifier = name.left(dot), column = name.mid(dot + 1);
        for (const auto& f : fields_)
            if (SameName(f->OriginColumn, column) &&
                (SameName(f->TableAlias, qualifier) || SameName(f->OriginTable, qualifier)))
                return f.get();
    }
    return nullptr;
}

TField* TDataSet::FieldByName(const QString& name) const
{
    TField* f = FindField(name);
    if (!f)
        Fail(QString("Field '%1' not found").arg(name));
    return f;
}

bool TDataSet::OwnsField(const TField* f) const
{
    return f && f->Index() < int(fields_.size()) && fields_[f->Index()].get() == f;
}

const QVariant& TDataSet::ValueAt(int row0, const TField* field) const
{
    static const QVariant none;
    if (!OwnsField(field) || row0 < 0 || row0 >= int(rows_.size()))
        return none;
    const Row& row = (row0 == current_ && (state_ == dsEdit || state_ == dsInsert)) ? pending_ : rows_[row0];
    return row.values[field->Index()];
}

QString TDataSet::DisplayTextAt(int row0, TField* field)
{
    const int saved = reading_row_;
    reading_row_ = row0;
    struct Restore {
        int& slot;
        int value;
        ~Restore() { slot = value; }
    } restore{reading_row_, saved};
    return field->DisplayText();
}

QVariant TDataSet::FieldValue(const TField* f) const
{
    return ValueAt(reading_row_ >= 0 ? reading_row_ : current_, f);
}

void TDataSet::SetFieldValue(TField* f, const QVariant& v)
{
    CheckActive();
    if (state_ != dsEdit && state_ != dsInsert)
        Fail("Dataset not in edit or insert mode");
    if (!OwnsField(f))
        Fail(QString("Field '%1' not found").arg(f->FieldName()));
    pending_.values[f->Index()] = v;
    changed_[f->Index()] = true;
    Notify(TDataEvent::FieldChanged, f);
}

TControlsDisabled::~TControlsDisabled()
{
    Dispatch([this] { ds_->EnableControls(); });
}
