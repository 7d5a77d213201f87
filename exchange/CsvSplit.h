#pragma once
#include <QStringList>
#include <QStringView>
#include <QVarLengthArray>
#include <string>

// Splitting one line of a CSV file into fields, numbered from 0.
//
// Both rule sets share the quoted field: a field that begins with a double
// quote runs to the next double quote that is not doubled, or to the end of
// the line when there is none; a doubled quote inside stands for one quote,
// and the quotes themselves are dropped. Text that follows the closing quote
// directly starts a further field.
namespace CsvSplit {

// The fields of one line as views: into the line, or for a quoted field into
// the fields' own room. They stay valid while the line lives and until the
// next split into the same Fields, which reuses its room.
class Fields {
public:
    qsizetype size() const { return views_.size(); }
    bool isEmpty() const { return views_.isEmpty(); }
    QStringView operator[](qsizetype k) const { return views_[k]; }
    const QStringView *data() const { return views_.data(); }

private:
    friend void split(QStringView line, QChar separator, bool blanksSeparate, Fields &fields);
    QVarLengthArray<QStringView, 16> views_;
    std::u16string unquoted_;
};

// The value files' rule: a field ends at every "," and only there, so blanks
// belong to the fields. A "," at the very end gives one more, empty, field.
// An empty line has no fields.
//   "a, b,"  -> "a", " b", ""
QStringList atCommas(QStringView line);
void atCommas(QStringView line, Fields &fields);

// The FX price files' rule: besides ",", every character with a code from 1
// to 32 (blank, tab, the other control characters) separates fields. Such
// characters at the start are skipped, and so are those after a field; a ","
// after them is skipped with those that follow it. Blanks between two values
// separate them like a comma; two commas with only blanks between them
// enclose an empty field; a "," at the end gives an empty last field; a line
// of nothing but such characters has no fields.
//   " 2023/01/05 09:30 , 1.5,,x," -> "2023/01/05", "09:30", "1.5", "", "x", ""
QStringList atCommasAndBlanks(QStringView line);
void atCommasAndBlanks(QStringView line, Fields &fields);

// The same rule with ";" in place of ",", for the files that separate their
// fields so; a "," is then part of a field.
//   "20230102 170000;1.0695;" -> "20230102", "170000", "1.0695", ""
QStringList atSemicolonsAndBlanks(QStringView line);
void atSemicolonsAndBlanks(QStringView line, Fields &fields);

// The rule of the two above: separator, and whether blanks separate too.
void split(QStringView line, QChar separator, bool blanksSeparate, Fields &fields);

} // namespace CsvSplit
