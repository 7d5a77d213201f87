#pragma once
#include <QByteArray>
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
// lines(), decoded a piece at a time as they are taken: the file's bytes are
// held once, whole, and of its text only the piece being taken.
//
//   CsvFile::LineReader reader(path);
//   QStringView line;
//   while (reader.next(line))
//       ... // line is valid until the next call
class LineReader {
public:
    // Reads the whole file. Raises FileError as read() does.
    explicit LineReader(const QString &path);

    // How many lines the file has, counted in its bytes (a break is the same
    // byte or unit in every encoding read here), before any is taken.
    qsizetype count() const { return count_; }

    // The next line; false after the last. The view stays valid until the
    // next call.
    bool next(QStringView &line);

    // Back to the first line.
    void rewind();

private:
    void decodeMore();
    qsizetype countLines() const;

    QByteArray bytes_;
    qsizetype count_ = 0;
    qsizetype decoded_ = 0; // bytes passed to the decoder
    std::optional<QStringDecoder> decoder_;
    QString text_;        // room for the text of the piece being taken
    qsizetype start_ = 0; // where the next line starts in text_
    qsizetype scan_ = 0;  // where the search for its end goes on
    qsizetype end_ = 0;   // the end of the decoded text in text_
};

} // namespace CsvFile
