#pragma once
#include <QString>
#include <QStringList>

// A line of a value file: the texts of one release joined by ",".
//
// A value is written exactly as its text, except one that holds "," or
// begins with a double quote: that one is written as a quoted field with its
// inner quotes doubled, so that the file reader's quoted-field rule gives it
// back whole. A value holding CR or LF cannot be written at all, since the
// reader ends a line there before it looks at quotes.
namespace ValueLine {

// The value as it stands in a line.
QString field(const QString &value);

// Whether the value holds CR or LF.
bool breaksLine(const QString &value);

// The fields of the values joined by ",", with none after the last one.
QString join(const QStringList &values);

} // namespace ValueLine
