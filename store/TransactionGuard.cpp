#include "TransactionGuard.h"
#include "Connection.h"
#include "Errors.h"
#include <QByteArray>
#include <QString>
#include <sqlite3.h>

TransactionGuard::TransactionGuard(Connection &connection, const char *savepoint)
    : connection_(connection), savepoint_(savepoint), outermost_(!connection.inTransaction())
{
    connection_.execute(QStringLiteral("SAVEPOINT ") + QLatin1String(savepoint_));
}

TransactionGuard::TransactionGuard(Connection &connection, Kind)
    : connection_(connection), savepoint_(nullptr), outermost_(true)
{
    connection_.execute(QStringLiteral("BEGIN"));
}

TransactionGuard::~TransactionGuard()
{
    if (!done_)
        rollback();
}

void TransactionGuard::commit()
{
    if (done_)
        return;
    try {
        connection_.execute(savepoint_ ? QStringLiteral("RELEASE ") + QLatin1String(savepoint_)
                                       : QStringLiteral("COMMIT"));
    } catch (const DatabaseError &) {
        rollback();
        throw;
    }
    done_ = true;
}

// A whole transaction (ours, or the one our savepoint began) is rolled back
// entirely: a savepoint's RELEASE would commit it and can fail again. A
// savepoint inside a caller's transaction is undone and removed, so the
// caller's transaction goes on.
void TransactionGuard::rollback() noexcept
{
    done_ = true;
    sqlite3 *db = connection_.handle();
    if (!db)
        return;
    if (outermost_) {
        if (!sqlite3_get_autocommit(db))
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        return;
    }
    const QByteArray name(savepoint_ ? savepoint_ : "");
    const QByteArray undo = "ROLLBACK TO " + name + "; RELEASE " + name;
    sqlite3_exec(db, undo.constData(), nullptr, nullptr, nullptr);
}
