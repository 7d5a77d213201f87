#include "CsvFile.h"
#include "AnsiCodePage.h"
#include "store/Errors.h"
#include <QFile>
#include <QStringDecoder>
#include <optional>

namespace CsvFile {
namespace {

constexpr qint64 kBlock = 1 << 20;
constexpr qsizetype kPiece = 1 << 16; // bytes decoded at a time for LineReader

// The encoding a byte-order mark names; nothing without one.
std::optional<QStringConverter::Encoding> markedEncoding(QByteArrayView head)
{
    if (head.startsWith("\xEF\xBB\xBF"))
        return QStringConverter::Utf8;
    if (head.startsWith("\xFF\xFE"))
        return QStringConverter::Utf16LE;
    if (head.startsWith("\xFE\xFF"))
        return QStringConverter::Utf16BE;
    return std::nullopt;
}

// A decoder that keeps a character cut at the end of one block for the
// next; a marked one drops the mark.
QStringDecoder decoderFor(QByteArrayView head)
{
    if (const auto encoding = markedEncoding(head))
        return QStringDecoder(*encoding);
    return AnsiCodePage::decoder();
}

FileError readError(const QString &path, const QFile &file)
{
    return FileError(QStringLiteral("ファイル %1 を読めません: %2").arg(path, file.errorString()));
}

} // namespace

QString decode(const QByteArray &bytes)
{
    QStringDecoder decoder = decoderFor(bytes);
    return decoder.decode(bytes);
}

QString read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw readError(path, file);

    // Room for the whole text at once: no encoding here gives more UTF-16
    // units than it has bytes.
    QString text(qsizetype(file.size()) + 1, Qt::Uninitialized);
    QChar *out = text.data();
    QByteArray block;
    std::optional<QStringDecoder> decoder;
    for (;;) {
        block = file.read(kBlock);
        if (block.isEmpty())
            break;
        if (!decoder)
            decoder.emplace(decoderFor(block));
        if (out + decoder->requiredSpace(block.size()) > text.data() + text.size()) {
            // The file grew while it was read: make room.
            const qsizetype used = out - text.data();
            text.resize(used + decoder->requiredSpace(block.size()));
            out = text.data() + used;
        }
        out = decoder->appendToBuffer(out, block);
    }
    if (file.error() != QFileDevice::NoError)
        throw readError(path, file);
    text.truncate(out - text.data());
    text.squeeze();
    return text;
}

QList<QStringView> lines(QStringView text)
{
    QList<QStringView> result;
    const QChar *const end = text.data() + text.size();
    const QChar *start = text.data();
    for (const QChar *p = start; p != end; ++p) {
        if (*p != u'\r' && *p != u'\n')
            continue;
        result.append(QStringView(start, p));
        if (*p == u'\r' && p + 1 != end && p[1] == u'\n')
            ++p;
        start = p + 1;
    }
    if (start != end)
        result.append(QStringView(start, end));
    return result;
}

LineReader::LineReader(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw readError(path, file);
    bytes_ = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw readError(path, file);
    count_ = countLines();
    rewind();
}

// Breaks as lines() finds them, in the bytes: a CR or LF is a byte of its
// own in UTF-8 and code page 932, and a unit of its own in UTF-16.
qsizetype LineReader::countLines() const
{
    const auto encoding = markedEncoding(bytes_);
    const bool utf16 = encoding == QStringConverter::Utf16LE || encoding == QStringConverter::Utf16BE;
    const int width = utf16 ? 2 : 1;
    const int low = encoding == QStringConverter::Utf16BE ? 1 : 0;
    const auto *b = reinterpret_cast<const uchar *>(bytes_.constData());
    const qsizetype n = bytes_.size() - (bytes_.size() % width);
    auto unit = [&](qsizetype i) -> char16_t {
        return utf16 ? char16_t(b[i + low] | (b[i + 1 - low] << 8)) : char16_t(b[i]);
    };
    qsizetype lines = 0;
    bool inLine = false;
    for (qsizetype i = utf16 ? 2 : (encoding ? 3 : 0); i < n; i += width) {
        const char16_t c = unit(i);
        if (c != u'\r' && c != u'\n') {
            inLine = true;
            continue;
        }
        ++lines;
        inLine = false;
        if (c == u'\r' && i + width < n && unit(i + width) == u'\n')
            i += width;
    }
    return lines + (inLine ? 1 : 0);
}

void LineReader::rewind()
{
    decoded_ = 0;
    decoder_.emplace(decoderFor(bytes_));
    start_ = scan_ = end_ = 0;
}

// The text not yet taken moves to the front, the next piece of bytes is
// decoded after it.
void LineReader::decodeMore()
{
    const qsizetype kept = end_ - start_;
    QChar *room = text_.data();
    std::copy(room + start_, room + end_, room);
    scan_ -= start_;
    start_ = 0;
    end_ = kept;
    const QByteArrayView piece(bytes_.constData() + decoded_, qMin(kPiece, bytes_.size() - decoded_));
    decoded_ += piece.size();
    const qsizetype needed = kept + decoder_->requiredSpace(piece.size());
    if (text_.size() < needed)
        text_.resize(needed);
    end_ = decoder_->appendToBuffer(text_.data() + kept, piece) - text_.data();
}

bool LineReader::next(QStringView &line)
{
    for (;;) {
        const QChar *text = text_.constData();
        const bool lastPiece = decoded_ == bytes_.size();
        qsizetype p = scan_;
        while (p < end_ && text[p] != u'\r' && text[p] != u'\n')
            ++p;
        // A CR at the end of a piece waits for the next, where an LF may
        // follow it.
        const bool found = p < end_ && (lastPiece || text[p] == u'\n' || p + 1 < end_);
        if (found || (lastPiece && start_ < end_)) {
            line = QStringView(text + start_, text + p);
            qsizetype after = p < end_ ? p + 1 : p;
            if (p < end_ && text[p] == u'\r' && after < end_ && text[after] == u'\n')
                ++after;
            start_ = scan_ = after;
            return true;
        }
        if (lastPiece)
            return false;
        scan_ = p;
        decodeMore();
    }
}

} // namespace CsvFile
