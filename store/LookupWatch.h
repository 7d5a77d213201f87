#pragma once
#include "Connection.h"
#include <QString>

// The table look-up the builder read last (a table's TBID from AAATBN and its
// column rows from AAATST) and whether it still holds: it does while the
// connection stays open and no statement has begun on it since, save those
// pass() lets through. Every statement counts, whatever runs it, so no
// change to the dictionary, and no undo of one, goes unseen.
class LookupWatch {
public:
    bool holds(const Connection &connection) const
    {
        return connection_ == &connection && connection.isOpen() && !connection.startFailed()
               && started_ == connection.statementsStarted();
    }
    // The TBID of table still holds.
    bool holdsTable(const Connection &connection, const QString &table) const
    {
        return holds(connection) && !tableId_.isEmpty() && table == table_;
    }
    // Its column rows, as qst read them, still hold too.
    bool holdsColumns(const Connection &connection, const QString &table) const
    {
        return holdsTable(connection, table) && columnsRead_;
    }
    const QString &tableId() const { return tableId_; }

    // The TBID of table was read just now.
    void readTable(const Connection &connection, const QString &table, const QString &tableId)
    {
        connection_ = &connection;
        table_ = table;
        tableId_ = tableId;
        columnsRead_ = false;
        pass(connection);
    }
    // Its column rows were read just now, after its TBID.
    void readColumns(const Connection &connection)
    {
        columnsRead_ = true;
        pass(connection);
    }
    // What began since holds() last answered true changed no look-up.
    void pass(const Connection &connection) { started_ = connection.statementsStarted(); }
    void forget() { *this = LookupWatch(); }

private:
    const Connection *connection_ = nullptr;
    quint64 started_ = 0;
    QString table_;
    QString tableId_;
    bool columnsRead_ = false;
};
