#include "data/connection.h"

#include "data/case_fold.h"
#include "data/database_error.h"
#include "data/dataset.h"
#include "data/statement.h"

#include <QDir>
#include <algorithm>
#include <sqlite3.h>

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

void TADOConnection::Open()
{
    if (db_)
        return;
    const QString source = DataSourceOf(connection_string_);
    if (source.isEmpty())
        throw EDatabaseError(Name + ": The connection string names no Data Source");
    const QByteArray path = QDir::current().absoluteFilePath(source).toUtf8();
    sqlite3* db = nullptr;
    // Never create: a missing file must be an error, not a new empty database.
    // One connection used by one thread: no locking inside the engine.
    if (sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) !=
        SQLITE_OK) {
        const QString msg = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close(db);
        throw EDatabaseError(msg);
    }
    sqlite3_extended_result_codes(db, 1);
    // Double-quoted text is an identifier only, never a string literal.
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    sqlite3_busy_timeout(db, 5000);
    RegisterCaseFolding(db);
    // Every post is durable on its own: WAL with a sync at each commit. The first statement also
    // tells whether the file is a database at all.
    char* err = nullptr;
    if (sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL; PRAGMA mmap_size=268435456;",
                     nullptr, nullptr, &err) != SQLITE_OK) {
        const QString msg = QString::fromUtf8(err ? err : sqlite3_errmsg(db));
        sqlite3_free(err);
        sqlite3_close(db);
        throw EDatabaseError(msg);
    }
    db_ = db;
}

void TADOConnection::Close()
{
    if (!db_)
        return;
    for (TDataSet* ds : std::vector<TDataSet*>(data_sets_))
        ds->Close();
    sqlite3_close_v2(db_);
    db_ = nullptr;
}

sqlite3* TADOConnection::Connect()
{
    Open();
    return db_;
}

int TADOConnection::Execute(const QString& sql, const QVariantList& params)
{
    Statement st(Connect(), sql, params);
    while (st.Step()) {
    }
    return sqlite3_changes(db_);
}

void TADOConnection::BeginTrans()
{
    Execute("BEGIN IMMEDIATE");
}

void TADOConnection::CommitTrans()
{
    Execute("COMMIT");
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
}
