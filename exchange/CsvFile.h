#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

// Reading a CSV file whole: its encoding and its lines. Both kinds of CSV
// file, the value files and the FX price files, are read so.
namespace CsvFile {

// The text of a file's bytes. A byte-order mark selects UTF-8 (EF BB BF),
// UTF-16 little-endian (FF FE) or UTF-16 big-endian (FE FF), and is dropped;
// without one the bytes are code page 932 (exchange/AnsiCodePage.h).
QString decode(const QByteArray &bytes);

// The decoded text of the whole file at path, decoded while it is read so
// that only the text stays in memory. Raises FileError with the full path and
// the system's reason when the file cannot be opened or read.
QString read(const QString &path);

// The lines of a text, as views into it (keep the text alive while they are
// used). A line ends at CR LF, at a lone LF or at a lone CR; a break at the
// very end makes no further line; an empty line inside is a line of its own.
// An empty text has no lines.
QList<QStringView> lines(QStringView text);

} // namespace CsvFile
