#pragma once
#include <QByteArray>
#include <QString>

// Whole text files as the system writes them.
namespace TextFileOutput {

// The bytes of a text: code page 932 without a byte-order mark, or, when a
// character of the text has no code there, UTF-8 with its byte-order mark,
// so that no character turns into "?". File readers tell the two apart by
// the mark.
QByteArray encode(const QString &text);

// Writes the text to the file, creating it or replacing it entirely. The
// bytes go to a temporary file in the same folder, which replaces the file
// only once it is complete: a failed write leaves the old file as it was.
// Raises FileError with the path and the reason.
void write(const QString &path, const QString &text);

} // namespace TextFileOutput
