#pragma once
#include "QueryFields.h"
#include <QByteArray>
#include <QString>
#include <vector>

struct sqlite3_stmt;
class CompactRows;
class Connection;

// The statement of an open query: prepared from the query's text, stepped a
// row at a time, each row packed into the query's compact rows.
//
// An editable query also reads each row's row id: " select CNT, ... from T"
// is prepared as " select rowid, CNT, ... from T" when that reads a table's
// row id, and the row id is then no field.
class RowSource {
public:
    explicit RowSource(Connection &connection) : connection_(connection) {}
    ~RowSource();
    RowSource(const RowSource &) = delete;
    RowSource &operator=(const RowSource &) = delete;

    // Raises DatabaseError with the database's reason when it is refused;
    // queryName names the query in the error of a text without a statement.
    void prepare(const QString &sql, bool withRowIds, const QString &queryName);
    // Lets go of the statement; the fields stay described.
    void finish();
    // Lets go of the statement and of the fields.
    void clear();

    const QueryFields &fields() const { return fields_; }
    bool hasRowIds() const { return firstField_ == 1; }
    // Whether rows may follow: the statement is neither at its end nor finished.
    bool isActive() const { return stmt_ != nullptr; }

    // Steps to the next row; false at the end, and the statement is then
    // finished. An error finishes it too and raises DatabaseError.
    bool step();
    // The row stepped to: appended, or packed in place of a row, with every
    // field or only those listed (the others as NULL).
    void appendTo(CompactRows &rows);
    void packInto(CompactRows &rows, int row, const std::vector<int> &fields);
    qint64 rowId() const;

private:
    void describeFields();
    void readFields(const std::vector<int> &fields);

    Connection &connection_;
    sqlite3_stmt *stmt_ = nullptr;
    int firstField_ = 0; // 1 when column 0 of the statement is the row id
    QueryFields fields_;
    std::vector<int> scratchTypes_; // of the row being packed
    std::vector<QByteArray> scratchTexts_;
};
