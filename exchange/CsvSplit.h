#pragma once
#include <QStringList>
#include <QStringView>

// Splitting one line of a CSV file into fields, numbered from 0.
//
// Both rule sets share the quoted field: a field that begins with a double
// quote runs to the next double quote that is not doubled, or to the end of
// the line when there is none; a doubled quote inside stands for one quote,
// and the quotes themselves are dropped. Text that follows the closing quote
// directly starts a further field.
namespace CsvSplit {

// The value files' rule: a field ends at every "," and only there, so blanks
// belong to the fields. A "," at the very end gives one more, empty, field.
// An empty line has no fields.
//   "a, b,"  -> "a", " b", ""
QStringList atCommas(QStringView line);

// The FX price files' rule: besides ",", every character with a code from 1
// to 32 (blank, tab, the other control characters) separates fields. Such
// characters at the start are skipped, and so are those after a field; a ","
// after them is skipped with those that follow it. Blanks between two values
// separate them like a comma; two commas with only blanks between them
// enclose an empty field; a "," at the end gives an empty last field; a line
// of nothing but such characters has no fields.
//   " 2023/01/05 09:30 , 1.5,,x," -> "2023/01/05", "09:30", "1.5", "", "x", ""
QStringList atCommasAndBlanks(QStringView line);

// The same rule with ";" in place of ",", for the files that separate their
// fields so; a "," is then part of a field.
//   "20230102 170000;1.0695;" -> "20230102", "170000", "1.0695", ""
QStringList atSemicolonsAndBlanks(QStringView line);

} // namespace CsvSplit
