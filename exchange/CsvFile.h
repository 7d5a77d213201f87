#pragma once
#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringDecoder>
#include <QStringView>
#include <optional>

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

// The lines of a file, with the encoding and the line ends of read() and
// lines(), read and decoded a piece at a time as they are taken: of a file
// however long only a piece is in memory at once.
//
//   CsvFile::LineReader reader(path);
//   QStringView line;
//   while (reader.next(line))
//       ... // line is valid until the next call
class LineReader {
public:
    // Opens the file and counts its lines. Raises FileError as read() does,
    // here or when a later piece cannot be read.
    explicit LineReader(const QString &path);

    // How many lines the file has, counted in its bytes (a break is a byte
    // of its own in UTF-8 and code page 932, a unit of its own in UTF-16).
    qsizetype count() const { return count_; }

    // The next line; false after the last. The view stays valid until the
    // next call.
    bool next(QStringView &line);

    // Back to the first line.
    void rewind();

private:
    QByteArray readPiece(qint64 size);
    qsizetype countLines();
    void decodeMore();

    QString path_;
    QFile file_;
    qsizetype count_ = 0;
    bool allRead_ = false; // the last piece has been decoded
    std::optional<QStringDecoder> decoder_;
    QString text_;        // room for the text of the piece being taken
    qsizetype start_ = 0; // where the next line starts in text_
    qsizetype scan_ = 0;  // where the search for its end goes on
    qsizetype end_ = 0;   // the end of the decoded text in text_
};

} // namespace CsvFile
