#pragma once
#include <QString>
#include <QStringList>

// The fields of a prepared query as the database describes them, counted
// from 0 in select order: name, declared type, and the table and column
// each reads, where the database can tell.
struct QueryFields {
    QStringList names;
    QStringList declaredTypes;
    QStringList originNames; // the column read, empty for an expression
    QStringList tables;      // the table of that column
    QString tableName;       // the first table any field reads: the one written

    int count() const { return int(names.size()); }
    // The field of a name in any case; -1 when there is none.
    int index(const QString &name) const;
    bool isWholeNumber(int field) const;
    // Whether a field reads a column of the query's table, so it can be written.
    bool isWritable(int field) const;
    // Whether a field can take a text: a whole-number field only a whole
    // number of 32 bits; the empty text always (it writes NULL).
    bool accepts(int field, const QString &text) const;
    // Raises ConversionError when the field cannot take the text.
    void check(int field, const QString &text) const;

    void clear();
};
