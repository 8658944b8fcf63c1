// Changing rows: insert, edit, post, cancel and delete through the current row, written to the
// base table by its key.
#include "data/connection.h"
#include "data/dataset.h"
#include "data/datasource.h"
#include "data/statement.h"

#include <QStringList>
#include <algorithm>
#include <sqlite3.h>

namespace {

bool InTable(const TField& f, const QString& table)
{
    return f.OriginTable.compare(table, Qt::CaseInsensitive) == 0;
}

} // namespace

void TDataSet::CheckWritable() const
{
    if (!not_writable_reason_.isEmpty())
        Fail(not_writable_reason_);
}

void TDataSet::CheckBrowseMode()
{
    if (state_ == dsInsert || state_ == dsEdit) {
        if (std::find(changed_.begin(), changed_.end(), true) != changed_.end())
            Post();
        else
            Cancel();
    }
}

void TDataSet::Insert()
{
    CheckActive();
    CheckBrowseMode();
    CheckWritable();
    // The new row joins at the end, whatever the sort, so a move to the last row finds it.
    before_insert_ = current_;
    rows_.push_back(Row{std::vector<QVariant>(fields_.size()), next_seq_++});
    current_ = int(rows_.size()) - 1;
    pending_ = rows_.back();
    changed_.assign(fields_.size(), false);
    bof_ = eof_ = false;
    state_ = dsInsert;
    Notify(TDataEvent::RowsChanged);
}

void TDataSet::Edit()
{
    CheckActive();
    if (state_ == dsEdit || state_ == dsInsert)
        return;
    if (rows_.empty())
        return Insert();
    CheckWritable();
    pending_ = rows_[current_];
    changed_.assign(fields_.size(), false);
    state_ = dsEdit;
    Notify(TDataEvent::RowsChanged);
}

void TDataSet::Post()
{
    CheckActive();
    if (state_ != dsInsert && state_ != dsEdit)
        return;
    // Before a kept statement is reused: the connection may open anew.
    connection_->KeepLocks();
    if (state_ == dsInsert)
        StoreInsert();
    else
        StoreEdit();
    connection_->Changed(this);
    Notify(TDataEvent::RowsChanged);
}

void TDataSet::Cancel()
{
    if (state_ == dsInsert) {
        rows_.erase(rows_.begin() + current_);
        current_ = rows_.empty() ? -1 : std::clamp(before_insert_, 0, int(rows_.size()) - 1);
        bof_ = eof_ = rows_.empty();
    } else if (state_ != dsEdit) {
        return;
    }
    state_ = dsBrowse;
    pending_ = {};
    Notify(TDataEvent::RowsChanged);
}

void TDataSet::Delete()
{
    CheckActive();
    if (state_ == dsInsert)
        return Cancel();
    CheckBrowseMode();
    if (rows_.empty())
        Fail("Cannot perform this operation on an empty dataset");
    CheckWritable();
    QStringList where;
    QVariantList values;
    for (int k : key_fields_) {
        where << QuoteIdentifier(fields_[k]->OriginColumn) + " = ?";
        values << rows_[current_].values[k];
    }
    const int n = connection_->Execute(
        "DELETE FROM " + QuoteIdentifier(base_table_) + " WHERE " + where.join(" AND "), values);
    if (n == 0)
        Fail("Row cannot be located for deleting. Some values may have been changed since it was last read");
    rows_.erase(rows_.begin() + current_);
    current_ = std::min(current_, int(rows_.size()) - 1);
    bof_ = eof_ = rows_.empty();
    connection_->Changed(this);
    Notify(TDataEvent::RowsChanged);
}

void TDataSet::StoreInsert()
{
    QVariantList values;
    std::vector<bool> columns(fields_.size());
    for (size_t i = 0; i < fields_.size(); ++i)
        if (changed_[i] && InTable(*fields_[i], base_table_)) {
            columns[i] = true;
            values << pending_.values[i];
        }
    if (insert_.statement && columns == insert_.columns) {
        insert_.statement->Rebind(values);
    } else {
        QStringList names, marks;
        for (size_t i = 0; i < fields_.size(); ++i)
            if (columns[i]) {
                names << QuoteIdentifier(fields_[i]->OriginColumn);
                marks << "?";
            }
        const QString table = QuoteIdentifier(base_table_);
        insert_ = {};
        insert_.statement =
            std::make_unique<Statement>(connection_->Connect(),
                                        names.isEmpty() ? "INSERT INTO " + table + " DEFAULT VALUES"
                                                        : "INSERT INTO " + table + " (" + names.join(", ") +
                                                              ") VALUES (" + marks.join(", ") + ")",
                                        values);
        insert_.columns = columns;
    }
    connection_->Execute(*insert_.statement);
    const qint64 rowid = sqlite3_last_insert_rowid(connection_->Handle());
    rows_[current_] = pending_;
    state_ = dsBrowse;
    // Show what the file holds now: the key and the columns' defaults.
    Reread(rows_[current_], "rowid = ?", {rowid});
}

void TDataSet::StoreEdit()
{
    QStringList sets, where;
    QVariantList values, keys;
    for (size_t i = 0; i < fields_.size(); ++i)
        if (changed_[i] && InTable(*fields_[i], base_table_)) {
            sets << QuoteIdentifier(fields_[i]->OriginColumn) + " = ?";
            values << pending_.values[i];
        }
    if (!sets.isEmpty()) {
        for (int k : key_fields_) {
            where << QuoteIdentifier(fields_[k]->OriginColumn) + " = ?";
            keys << pending_.values[k];
        }
        QVariantList old_keys;
        for (int k : key_fields_)
            old_keys << rows_[current_].values[k];
        const int n = connection_->Execute("UPDATE " + QuoteIdentifier(base_table_) + " SET " +
                                               sets.join(", ") + " WHERE " + where.join(" AND "),
                                           values + old_keys);
        if (n == 0)
            Fail("Row cannot be located for updating. Some values may have been changed since it was last "
                 "read");
    }
    rows_[current_] = pending_;
    state_ = dsBrowse;
    if (!sets.isEmpty())
        Reread(rows_[current_], where.join(" AND "), keys);
}

void TDataSet::Reread(Row& row, const QString& where, const QVariantList& params)
{
    if (reread_.statement && reread_.where == where) {
        reread_.statement->Rebind(params);
    } else {
        QStringList names;
        std::vector<bool> columns(fields_.size());
        for (size_t i = 0; i < fields_.size(); ++i)
            if (InTable(*fields_[i], base_table_)) {
                names << QuoteIdentifier(fields_[i]->OriginColumn);
                columns[i] = true;
            }
        reread_ = {};
        reread_.statement = std::make_unique<Statement>(connection_->Connect(),
                                                        "SELECT " + names.join(", ") + " FROM " +
                                                            QuoteIdentifier(base_table_) + " WHERE " + where,
                                                        params);
        reread_.columns = columns;
        reread_.where = where;
    }
    Statement& st = *reread_.statement;
    if (st.Step())
        for (size_t i = 0, j = 0; i < fields_.size(); ++i)
            if (reread_.columns[i])
                row.values[i] = st.Column(int(j++));
    st.Reset();
}
