#pragma once
#include <QByteArray>
#include <QString>
#include <QStringView>
#include <vector>

struct sqlite3_stmt;
class Connection;

// The insert that the builder makes for one table (StoreRoutines::ucSql(2)),
// prepared once and run for many rows with the values bound in place of
// literals: the statement is compiled once, not once per row.
//
// A row is bound only when it is provably the row the builder's literal
// statement stores, with the same values, the same storage types and the
// same refusals:
// - an empty value is NULL, as the builder writes it;
// - a value of a text column is cut to the column's length and bound as
//   text, which is what the quoted literal reads as;
// - a value of any other column that the number rule (NumberLiteral) refuses
//   refuses the row, as the builder does; a plain whole number (an optional
//   sign and at most 18 digits) is bound as that 64-bit integer, the value
//   SQLite reads from the literal;
// - every other number (a point, an exponent, hexadecimal, blanks, more
//   digits) and any text holding U+0000 is left to the literal statement:
//   run() answers NeedsLiteral and binds nothing.
class PreparedInsert {
public:
    // One column row, in the dictionary's CNT order.
    struct Column {
        QString name;
        bool text;  // a text column, whose values the builder quotes
        int length; // texts are cut to this many characters
    };

    enum class Outcome { Stored, Refused, NeedsLiteral };

    // Prepares " insert into table ( c1, c2, ... ) values ( ?, ?, ... ) ".
    // Raises DatabaseError when the database refuses it.
    PreparedInsert(Connection &db, const QString &table, std::vector<Column> columns);
    ~PreparedInsert();
    PreparedInsert(const PreparedInsert &) = delete;
    PreparedInsert &operator=(const PreparedInsert &) = delete;

    // values points at one text per column, in column order, as the value
    // slots hold them before the builder formats them (&sa[11]). A row the
    // database refuses is undone alone when a transaction is open; should the
    // database end that transaction instead, run() raises DatabaseError.
    Outcome run(const QString *values);
    // The same for values that are views, which need not be copied into
    // texts first; nothing is allocated for a row.
    Outcome run(const QStringView *values);

    int columnCount() const { return int(columns_.size()); }

private:
    enum class Binding { Null, Text, Integer, Refused, Literal };
    Binding classify(int column, QStringView value, qint64 &integer) const;
    void bindText(int column, QStringView value);

    Connection &db_;
    std::vector<Column> columns_;
    sqlite3_stmt *stmt_ = nullptr;
    // Kept from row to row so that their room is reused.
    std::vector<QByteArray> texts_;
    std::vector<QString> converted_; // the text of texts_ when not ASCII only
    std::vector<qint64> integers_;
    std::vector<Binding> bindings_;
    // What each parameter holds from the row before; Literal before any.
    std::vector<Binding> bound_;
    std::vector<qint64> boundIntegers_;
    std::vector<QStringView> views_;
};
