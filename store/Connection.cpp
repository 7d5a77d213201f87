#include "Connection.h"
#include "BusyCursor.h"
#include "Dataset.h"
#include "Errors.h"
#include <sqlite3.h>
#include <algorithm>

namespace {
const char *const kSettings[] = {
    "PRAGMA encoding = 'UTF-8'",
    "PRAGMA cache_size = 10000",
    "PRAGMA locking_mode = EXCLUSIVE",
    "PRAGMA synchronous = OFF",
    "PRAGMA journal_mode = DELETE",
    "PRAGMA foreign_keys = ON",
};
int countStatement(unsigned, void *connection, void *, void *)
{
    ++*static_cast<quint64 *>(connection);
    return 0;
}

} // namespace

Connection::~Connection() { close(); }

void Connection::open(const QString &path)
{
    close();
    BusyCursor busy;
    sqlite3 *db = nullptr;
    // One thread uses the connection: it needs no lock of its own, which
    // would otherwise be taken for every field read.
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString reason = db ? QString::fromUtf8(sqlite3_errmsg(db))
                                  : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close(db);
        throw DatabaseError(reason);
    }
    db_ = db;
    path_ = path;
    sqlite3_trace_v2(db_, SQLITE_TRACE_STMT, countStatement, &statementsStarted_);
    startFailure_.clear();
    try {
        for (const char *setting : kSettings)
            execute(QString::fromLatin1(setting));
    } catch (...) {
        close();
        throw;
    }
}

void Connection::close()
{
    const auto open = datasets_;
    for (Dataset *dataset : open)
        dataset->close();
    if (db_) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

void Connection::execute(const QString &sql)
{
    if (!db_)
        throw DatabaseError(unavailable());
    BusyCursor busy;
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db_, text.constData(), int(text.size()), &stmt, nullptr) != SQLITE_OK)
        throw DatabaseError(lastError());
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
        throw DatabaseError(lastError());
}

QString Connection::unavailable() const
{
    if (!startFailure_.isEmpty())
        return QStringLiteral("データベースを開けませんでした\n") + startFailure_;
    return QStringLiteral("データベースに接続されていません");
}

int Connection::changes() const { return db_ ? sqlite3_changes(db_) : 0; }

bool Connection::inTransaction() const { return db_ && !sqlite3_get_autocommit(db_); }

QString Connection::lastError() const
{
    return db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString();
}

void Connection::attach(Dataset *dataset) { datasets_.push_back(dataset); }

void Connection::detach(Dataset *dataset)
{
    datasets_.erase(std::remove(datasets_.begin(), datasets_.end(), dataset), datasets_.end());
}
