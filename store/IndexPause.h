#pragma once
#include <QString>
#include <QStringList>

class Connection;

// The indexes of one table dropped for a bulk write and made again from
// their own create statements once it is done: building an index over all
// rows at once costs far less than keeping it up to date row by row.
//
// Meant for the inside of a transaction: when the write fails or is
// cancelled, the rollback brings the indexes back with the rows, and
// restore() is never reached.
class IndexPause {
public:
    // Drops every index made by a create statement on table (none that
    // SQLite makes itself for a key). Raises DatabaseError.
    IndexPause(Connection &db, const QString &table);

    // Makes the dropped indexes again, as they were created, with a small
    // page cache meanwhile so that the sort of the index keys holds little
    // memory. Raises DatabaseError.
    void restore();

private:
    Connection &db_;
    QStringList creates_;
};
