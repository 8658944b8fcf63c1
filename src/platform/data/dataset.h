#pragma once
// A data set with a client-side cursor: the whole result is fetched at Open; rows are browsed,
// sorted, inserted, edited and deleted in memory and written to the base table by its key.
#include "data/field.h"

#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

struct sqlite3;
class Statement;
class TADOConnection;
class TDataSource;
enum class TDataEvent;

enum TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };

class TDataSet {
public:
    explicit TDataSet(QString name = {});
    virtual ~TDataSet();
    TDataSet(const TDataSet&) = delete;
    TDataSet& operator=(const TDataSet&) = delete;

    QString Name;
    void SetConnection(TADOConnection* c);
    TADOConnection* Connection() const { return connection_; }

    // Runs the statement and fetches every row; the first row becomes current. Opening an open
    // data set does nothing; a failed open leaves it closed, and every action that needs it open then
    // raises that failure again until it is opened or closed.
    void Open();
    // Drops the result and any pending insert or edit. Closing a closed data set does nothing.
    void Close();
    bool Active() const { return state_ != dsInactive; }
    TDataSetState State() const { return state_; }

    // Moves post a pending insert or edit first. MoveBy stops at the first or last row.
    void First();
    void Last();
    void Next() { MoveBy(1); }
    void Prior() { MoveBy(-1); }
    int MoveBy(int distance); // gives the distance actually moved
    // True on an empty result, after Last, and after a move past the last row (Bof likewise).
    bool Eof() const { return !Active() || eof_; }
    bool Bof() const { return !Active() || bof_; }
    bool IsEmpty() const { return rows_.empty(); }
    int RecordCount() const; // includes a row being inserted
    int RecNo() const;       // 1-based, 0 when empty
    void SetRecNo(int rec_no);

    void Insert(); // a new empty row at the end becomes current
    void Edit();   // on an empty result starts an insert
    void Post();   // stores the row at once; on failure the row stays in insert or edit, unless the
                   // failure ended a transaction (the rows are then fetched again)
    void Cancel(); // a cancelled insert makes the row current before it current again
    void Delete(); // removes the current row at once; the next (or else the previous) row becomes current
    // Fetches the rows again, to show what the file holds now; drops a pending insert or edit, keeps
    // the fields and the sort, and the current row where it is still there.
    void Refresh();

    // While disabled, the data sources hear nothing; enabled again (as often as disabled), they hear
    // once that the rows changed. For long runs of changes that nobody watches row by row.
    void DisableControls() { ++controls_disabled_; }
    void EnableControls();

    TField* FieldByName(const QString& name) const; // raises "<Name>: Field 'x' not found"
    TField* FindField(const QString& name) const;   // nullptr when not found
    int FieldCount() const { return int(fields_.size()); }
    TField* Fields(int i) const { return fields_.at(i).get(); }

    // "column ASC|DESC[, ...]"; re-orders the rows and keeps the current one. Empty after each
    // Open; "" restores the fetched order. Setting it on a closed data set raises.
    QString Sort() const { return sort_; }
    void SetSort(const QString& order);

    // Row access without moving the current row (row0 counts from 0 in the present order); the
    // row being inserted or edited gives its pending values. The value stays until the rows change.
    const QVariant& ValueAt(int row0, const TField* field) const;
    QString DisplayTextAt(int row0, TField* field);

    // For TField and TDataSource.
    QVariant FieldValue(const TField* f) const;
    void SetFieldValue(TField* f, const QVariant& v);
    void AddDataSource(TDataSource* ds);
    void RemoveDataSource(TDataSource* ds);
    void ConnectionGone();
    // Finalises the statements kept for reuse, so that the connection may close.
    void DropPrepared();

protected:
    // The row-returning statement and its values.
    virtual QString SelectText() const = 0;
    virtual QVariantList SelectParams() const { return {}; }
    [[noreturn]] void Fail(const QString& reason) const; // raises "<Name>: <reason>"
    void CheckActive() const;

private:
    void Fetch();
    struct Row {
        std::vector<QVariant> values;
        long long seq = 0; // position in the fetched order
    };

    std::vector<Row> FetchRows(Statement& st) const;
    void SortRows(const QString& order);
    void Notify(TDataEvent e, TField* field = nullptr);
    void CheckBrowseMode();
    void CheckWritable() const;
    void Scroll(int to, bool always);
    bool OwnsField(const TField* f) const;
    void LearnBaseTable(sqlite3* db, const std::vector<std::unique_ptr<TField>>& fields);
    void StoreInsert();
    void StoreEdit();
    void Reread(Row& row, const QString& where, const QVariantList& params);

    // Statements prepared once and run again while the fields stay: parsing the same statement
    // for each posted row was most of a long run of posts. Dropped at Close, with the fields.
    struct Prepared {
        std::unique_ptr<Statement> statement;
        std::vector<bool> columns; // the fields it writes (insert) or reads (re-read)
        QString where;             // the re-read's condition
    };
    Prepared insert_, reread_;

    TADOConnection* connection_ = nullptr;
    std::vector<TDataSource*> sources_;
    std::vector<std::unique_ptr<TField>> fields_;
    std::vector<std::unique_ptr<TField>> old_fields_; // kept alive until the next Open
    std::vector<Row> rows_;
    Row pending_; // values of the row being inserted or edited
    std::vector<bool> changed_;
    TDataSetState state_ = dsInactive;
    int current_ = -1;
    int before_insert_ = -1; // the row current when the pending insert began
    bool bof_ = true, eof_ = true;
    long long next_seq_ = 0;
    QString sort_;
    int controls_disabled_ = 0;
    int reading_row_ = -1; // the row that field reads see while DisplayTextAt runs
    QString open_failure_; // the message of the last Open, while it failed
    // The table rows are written to, and its key columns among the fields.
    QString base_table_;
    std::vector<int> key_fields_;
    QString not_writable_reason_; // empty when rows can be written
};

// Keeps a data set's controls disabled for a scope.
class TControlsDisabled {
public:
    explicit TControlsDisabled(TDataSet* ds) : ds_(ds) { ds_->DisableControls(); }
    // The viewers' handlers run here, where nothing may escape.
    ~TControlsDisabled();
    TControlsDisabled(const TControlsDisabled&) = delete;
    TControlsDisabled& operator=(const TControlsDisabled&) = delete;

private:
    TDataSet* ds_;
};
