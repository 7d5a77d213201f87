#pragma once
#include <QString>

// The one rule for a value written unquoted into a statement (a column that
// is no text column): a number literal as SQLite reads one, and finite.
//
// Accepted: optional blanks, an optional sign, then digits with an optional
// decimal point and an optional exponent ("12", "-1.5", ".5", "3e-2"), or a
// hexadecimal literal ("0x1F", at most 64 bits), then optional blanks. Its
// value must be finite: "9e999" is refused. Anything else ("5--", "1+1",
// "(select 1)", "abc", "") is refused; the caller writes the empty text as
// NULL before asking.
namespace NumberLiteral {

bool accepts(const QString &text);

} // namespace NumberLiteral
