#pragma once
#include "exchange/CsvFile.h"
#include "exchange/CsvSplit.h"
#include "exchange/PriceLine.h"
#include <QList>
#include <QStringList>
#include <QStringView>
#include <optional>

// The forms in which FX price files come, recognised from a file's first
// lines, and the taking of a line of each form into the slots 14 to 28.
//
//   Slashed   2023/01/05,9:30,130.123,130.456,129.987,130.200,2023-01-05,09:30
//             the program's own form, taken by PriceLine. Every file that no
//             other form claims is read so, each of its lines a price line.
//   Dotted    2009.01.05,12:49,1.36770,1.36780,1.36760,1.36760,8
//   Iso       2023-05-11 21:00:00,2013.87,2015.11,2013.40,2014.39,4858,24,0
//             (as a rule after Time,Open,High,Low,Close,...)
//   Tabbed    2023.05.11 <TAB> 21:00:00 <TAB> 2013.87 <TAB> ...
//             (as a rule after <DATE> <TAB> <TIME> <TAB> <OPEN> ...)
//   Compact   20230102 170000;1.06950;1.06960;1.06940;1.06950;0
//   Japanese  2023/01/02 07:00,130.10,130.20,130.00,130.15
//             only after a header whose first field is 日時 or 日付
//             (日時,始値,高値,安値,終値 or 日付,時刻,始値,...)
//
// Every form but the program's own writes stamp, open, high, low, close,
// then fields that are ignored. The stamp goes into slots 14 to 18: the year,
// then month, day, hour and minute with two digits each; seconds are dropped,
// never rounded. The prices go into 19 to 22 without their first "."; the
// second stamp (23 to 27) and the remark (28) stay empty. A line whose stamp
// is no valid date and time of its form, or that ends before its close, is
// refused.
//
// A header is a line of names only, without a digit, before the first price
// line of a form other than the program's own; it is passed over. The
// Japanese form is known by its header alone, its lines being of the
// program's own form.
namespace PriceForm {

enum class Form { Slashed, Dotted, Iso, Tabbed, Compact, Japanese };

struct Recognised {
    Form form = Form::Slashed;
    // The index of the header among the lines; -1 when there is none.
    qsizetype header = -1;
};

// The form of a file's lines, from its first lines with fields.
Recognised recognise(const QList<QStringView> &lines);
// The same from the first lines of a file, as far as recognising looks: up
// to its second line with fields. The reader is rewound.
Recognised recognise(CsvFile::LineReader &reader);

// The fields of a line of the form: split at "," (";" in the compact form)
// and at blanks, by the FX price files' rule (CsvSplit).
QStringList split(Form form, QStringView line);
void split(Form form, QStringView line, CsvSplit::Fields &fields);

// The slots 14 to 28 of a price line's fields; nothing when the form refuses
// the line. The program's own form refuses none.
std::optional<PriceLine::Slots> take(Form form, const QStringList &fields);
// The same into views, for count fields; false when the form refuses the
// line.
bool take(Form form, const QStringView *fields, qsizetype count, PriceLine::SlotViews &s);

// The form as the closing box names it, with the start of an example line.
QString name(Form form);

} // namespace PriceForm
