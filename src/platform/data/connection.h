#pragma once
// The connection to the database file.
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <vector>

struct sqlite3;
class Statement;
class TDataSet;

class TADOConnection {
public:
    explicit TADOConnection(QString name = {});
    ~TADOConnection();
    TADOConnection(const TADOConnection&) = delete;
    TADOConnection& operator=(const TADOConnection&) = delete;

    QString Name;
    // Tables that a file must hold to be taken for this connection's database. A file without one is
    // refused at Open with "<file>: no such table: <name>", before anything is written to it.
    QStringList RequiredTables;

    // "Provider=...;Data Source=<file>;..."; only Data Source is used. Changing it closes the connection.
    void SetConnectionString(const QString& text);
    QString ConnectionString() const;

    // Opens the Data Source file, resolved against the current directory now, read-write; a missing
    // file or one that is not a database raises EDatabaseError with the engine's message. Opening an
    // open connection does nothing.
    void Open();
    bool Connected() const;
    // Closes the data sets that use it, then the file. Closing a closed connection does nothing.
    void Close();

    // Runs a statement that returns no rows, `?` markers bound to params; gives the rows changed.
    int Execute(const QString& sql, const QVariantList& params = {});
    // The same for a statement prepared and bound by the caller, who runs it again and again.
    int Execute(Statement& prepared);

    // One transaction at a time: what is posted after BeginTrans is stored together at CommitTrans,
    // or not at all when the process ends first. A failed statement leaves the transaction open,
    // unless the engine ends it itself (a full disk, an I/O failure); a failed commit stores nothing.
    // Whenever a transaction ends without being stored, the data sets that changed rows in it fetch
    // their rows again, so they show what the file holds.
    void BeginTrans();
    void CommitTrans();
    bool InTransaction() const;

    // The engine's locks belong to the process, and closing any descriptor of the file drops them all
    // (a file dialog reading the folder, a copy): another user of the file may then take itself for
    // the last one and remove the log that this connection writes into. Before each write outside a
    // transaction the connection checks that it still holds them, and opens the file anew when not:
    // closing empties the log into the file while no one else uses it, and opening takes the locks
    // again.
    void KeepLocks();

    // For the data layer itself.
    sqlite3* Handle() const { return db_; }
    // Opens the connection when closed (so every action on a missing file fails with the engine's
    // message) and gives the handle.
    sqlite3* Connect();
    void Attach(TDataSet* ds);
    void Detach(TDataSet* ds);
    // The data set changed rows; they are undone with the transaction it may be in.
    void Changed(TDataSet* ds);

private:
    void RefreshChanged();
    // Runs the steps of a statement; a failure that ended the transaction (or was outside one)
    // makes the changed data sets fetch their rows again. Gives the rows changed.
    int Ended(const std::function<void()>& run);

    QString connection_string_;
    sqlite3* db_ = nullptr;
    QByteArray locked_path_; // the file whose locks the engine keeps while open, empty when none
    std::vector<TDataSet*> data_sets_;
    std::vector<TDataSet*> changed_in_transaction_;
};
