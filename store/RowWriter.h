#pragma once
#include <QByteArray>
#include <QString>
#include <vector>

class CompactRows;
class Connection;
class PendingRow;
struct QueryFields;

// Writes back exactly the one row of a query's table that the query shows.
//
// A write finds the row by its row id and by every value read, each with
// the storage type read (compared with IS, so NULL matches NULL), runs
// inside a savepoint, and is undone unless it changed exactly one record.
// After a write the cached row holds what the table now holds, so that the
// next write finds it by the values as stored.
class RowWriter {
public:
    RowWriter(Connection &connection, const QString &queryName, const QueryFields &fields, CompactRows &rows)
        : connection_(connection), queryName_(queryName), fields_(fields), rows_(rows)
    {
    }

    // Each raises DatabaseError or ConversionError, and then nothing is
    // written and the cached row is as it was.
    // The fields given new texts.
    void update(int row, const PendingRow &pending);
    // A new row of the texts typed; the cached row takes its row id.
    void insert(int row, const PendingRow &pending);
    // Deletes the row from the table; the cache is left to the caller.
    void remove(int row);
    // Reads the cached row whole again by its row id.
    void reread(int row);

private:
    // A value bound to a parameter of a write.
    struct Bound {
        int type;         // SQLITE_INTEGER, SQLITE_TEXT, SQLITE_BLOB or SQLITE_NULL
        QByteArray bytes; // text or blob
        qint64 integer = 0;
    };
    Bound boundText(int field, const QString &text) const;
    QString quotedColumn(int field) const;
    QString quotedTable() const;
    void requireTable() const;
    QString rowCondition(int row, std::vector<Bound> &bound) const;
    void writeOneRow(const QString &sql, const std::vector<Bound> &bound, const QString &what);
    void refresh(int row, qint64 rowId, const PendingRow &pending);

    Connection &connection_;
    const QString &queryName_;
    const QueryFields &fields_;
    CompactRows &rows_;
};
