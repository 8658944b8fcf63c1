#include "data/connection.h"

#include "data/case_fold.h"
#include "data/database_error.h"
#include "data/dataset.h"
#include "data/statement.h"
#include "system/held_locks.h"

#include <QFile>
#include <algorithm>
#include <cstdlib>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

QString DataSourceOf(const QString& connection_string)
{
    for (const QString& part : connection_string.split(';')) {
        const qsizetype eq = part.indexOf('=');
        if (eq > 0 && part.left(eq).trimmed().compare("Data Source", Qt::CaseInsensitive) == 0)
            return part.mid(eq + 1).trimmed();
    }
    return {};
}

} // namespace

TADOConnection::TADOConnection(QString name) : Name(std::move(name)) {}

TADOConnection::~TADOConnection()
{
    Close();
    for (TDataSet* ds : data_sets_)
        ds->ConnectionGone();
}

void TADOConnection::SetConnectionString(const QString& text)
{
    Close();
    connection_string_ = text;
}

QString TADOConnection::ConnectionString() const
{
    return connection_string_;
}

bool TADOConnection::Connected() const
{
    return db_ != nullptr;
}

namespace {

// The engine's message for the file, naming it.
[[noreturn]] void Fail(const QByteArray& path, const QString& message)
{
    throw EDatabaseError(QString::fromUtf8(path) + ": " + message);
}

[[noreturn]] void FailWith(sqlite3* db, const QByteArray& path)
{
    const QString msg = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_close(db);
    Fail(path, msg);
}

sqlite3* OpenFile(const QByteArray& uri, int flags, const QByteArray& path)
{
    sqlite3* db = nullptr;
    // One connection used by one thread: no locking inside the engine.
    if (sqlite3_open_v2(uri.constData(), &db, flags | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr) !=
        SQLITE_OK)
        FailWith(db, path);
    sqlite3_extended_result_codes(db, 1);
    // Another connection's lock is waited for instead of failing at once.
    sqlite3_busy_timeout(db, 5000);
    return db;
}

// Reads the schema: tells whether the file is a database and can be read at all. Writes nothing.
int Probe(sqlite3* db)
{
    return sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
}

QByteArray JournalMode(sqlite3* db)
{
    QByteArray mode;
    sqlite3_exec(
        db, "PRAGMA journal_mode",
        [](void* out, int, char** values, char**) {
            *static_cast<QByteArray*>(out) = values[0];
            return 0;
        },
        &mode, nullptr);
    return mode.toLower();
}

// The file's size, or -1 when it is not there.
off_t SizeOf(const QByteArray& path)
{
    struct stat st {};
    return stat(path.constData(), &st) == 0 ? st.st_size : -1;
}

QByteArray UriOf(const QByteArray& path)
{
    return "file:" + path.toPercentEncoding("/");
}

} // namespace

void TADOConnection::Open()
{
    if (db_)
        return;
    const QString source = DataSourceOf(connection_string_);
    if (source.isEmpty())
        throw EDatabaseError(Name + ": The connection string names no Data Source");
    // The current folder's bytes: as text a folder name that is not UTF-8 would be lost.
    QByteArray path = QFile::encodeName(source);
    if (!path.startsWith('/')) {
        char* cwd = getcwd(nullptr, 0);
        path = QByteArray(cwd ? cwd : "") + '/' + path;
        free(cwd);
    }
    // The engine would take an empty file for a new database and write one into it.
    if (SizeOf(path) == 0)
        Fail(path, "file is not a database");
    // Never create: a missing file must be an error, not a new empty database. A file that the user
    // cannot write opens for reading. Without a log beside it, it is read as it stands: the engine would
    // leave a log and shared-memory file of this user's there, which then keep the owner from writing.
    sqlite3* db = nullptr;
    if (access(path.constData(), W_OK) == 0 || SizeOf(path + "-wal") >= 0) {
        db = OpenFile(UriOf(path), SQLITE_OPEN_READWRITE, path);
        if (const int rc = Probe(db); rc != SQLITE_OK) {
            if ((rc & 0xFF) != SQLITE_READONLY && (rc & 0xFF) != SQLITE_CANTOPEN)
                FailWith(db, path);
            // A database in its journal mode whose shared-memory file the user cannot make or use is
            // read as the main file stands; but not while committed changes still wait in its log, which
            // that reading would leave out.
            if (SizeOf(path + "-wal") > 0)
                FailWith(db, path);
            sqlite3_close(db);
            db = nullptr;
        }
    }
    if (!db) {
        db = OpenFile(UriOf(path) + "?immutable=1", SQLITE_OPEN_READONLY, path);
        if (Probe(db) != SQLITE_OK)
            FailWith(db, path);
    }
    for (const QString& table : RequiredTables)
        if (sqlite3_table_column_metadata(db, "main", table.toUtf8().constData(), nullptr, nullptr, nullptr,
                                          nullptr, nullptr, nullptr) != SQLITE_OK) {
            sqlite3_close(db);
            Fail(path, "no such table: " + table);
        }
    // Double-quoted text is an identifier only, never a string literal.
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    RegisterCaseFolding(db);
    // Every post is durable on its own: WAL with a sync at each commit. The shipped file is in WAL
    // already; an older one is switched over when it may be written.
    if (sqlite3_exec(db, "PRAGMA synchronous=FULL; PRAGMA mmap_size=268435456;", nullptr, nullptr, nullptr) !=
        SQLITE_OK)
        FailWith(db, path);
    if (sqlite3_db_readonly(db, "main") != 1 && JournalMode(db) != "wal" &&
        sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr) != SQLITE_OK)
        FailWith(db, path);
    // Between statements the engine keeps locks on the file and its shared memory in WAL mode only.
    locked_path_ = sqlite3_db_readonly(db, "main") != 1 && JournalMode(db) == "wal" ? path : QByteArray();
    db_ = db;
}

void TADOConnection::KeepLocks()
{
    if (!db_ || locked_path_.isEmpty() || InTransaction() ||
        ProcessHoldsLocks({locked_path_, locked_path_ + "-shm"}).value_or(true))
        return;
    for (TDataSet* ds : data_sets_)
        ds->DropPrepared();
    // A statement still running keeps the connection; it is checked again at the next write.
    if (sqlite3_close(db_) == SQLITE_OK) {
        db_ = nullptr;
        Open();
    }
}

void TADOConnection::Close()
{
    if (!db_)
        return;
    for (TDataSet* ds : std::vector<TDataSet*>(data_sets_))
        ds->Close();
    sqlite3_close_v2(db_);
    db_ = nullptr;
    locked_path_.clear();
}

sqlite3* TADOConnection::Connect()
{
    Open();
    return db_;
}

int TADOConnection::Execute(const QString& sql, const QVariantList& params)
{
    KeepLocks();
    return Ended([&] {
        Statement st(Connect(), sql, params);
        while (st.Step()) {
        }
    });
}

int TADOConnection::Execute(Statement& prepared)
{
    return Ended([&] {
        while (prepared.Step()) {
        }
    });
}

int TADOConnection::Ended(const std::function<void()>& run)
{
    try {
        run();
    } catch (...) {
        if (!InTransaction())
            RefreshChanged();
        throw;
    }
    if (!InTransaction())
        changed_in_transaction_.clear();
    return sqlite3_changes(db_);
}

void TADOConnection::BeginTrans()
{
    Execute("BEGIN IMMEDIATE");
}

void TADOConnection::CommitTrans()
{
    try {
        Execute("COMMIT");
    } catch (...) {
        // Half a transaction never stays open behind a failed commit.
        if (InTransaction())
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        RefreshChanged();
        throw;
    }
}

void TADOConnection::Changed(TDataSet* ds)
{
    if (InTransaction() && std::find(changed_in_transaction_.begin(), changed_in_transaction_.end(), ds) ==
                               changed_in_transaction_.end())
        changed_in_transaction_.push_back(ds);
}

void TADOConnection::RefreshChanged()
{
    for (TDataSet* ds : std::exchange(changed_in_transaction_, {})) {
        try {
            ds->Refresh();
        } catch (const Exception&) {
            ds->Close(); // no rows rather than rows that the file lost
        }
    }
}

bool TADOConnection::InTransaction() const
{
    return db_ && !sqlite3_get_autocommit(db_);
}

void TADOConnection::Attach(TDataSet* ds)
{
    if (std::find(data_sets_.begin(), data_sets_.end(), ds) == data_sets_.end())
        data_sets_.push_back(ds);
}

void TADOConnection::Detach(TDataSet* ds)
{
    std::erase(data_sets_, ds);
    std::erase(changed_in_transaction_, ds);
}
