#pragma once
#include <QString>

// The one reading of a column's kind, for the statement builder, the queries
// and the grids alike. A kind is either the dictionary's KT ("nchar",
// "Integer") or the type a column was declared with, as the database gives it
// back ("nchar(10)", "Integer").
namespace ColumnKind {

enum class Kind {
    Text,        // exactly "nchar" or "varchar": the builder quotes its values
    WholeNumber, // "INT" anywhere, in any case: "Integer", "bigint"
    Number,      // else "REAL", "FLOA", "DOUB", "NUM" or "DEC" anywhere, in any case
    Other,       // everything else, a declared "nchar(10)" among them
};

Kind of(const QString &kind);

// Whole numbers and other numbers: shown aligned to the right.
bool isNumber(Kind kind);

// The size a declared type gives in brackets: 10 for "nchar(10)", 0 when it
// gives none.
int declaredSize(const QString &declared);

} // namespace ColumnKind
