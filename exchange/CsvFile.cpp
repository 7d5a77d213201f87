#include "CsvFile.h"
#include "AnsiCodePage.h"
#include "store/Errors.h"
#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <cstring>
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

LineReader::LineReader(const QString &path) : path_(path), file_(path)
{
    if (!file_.open(QIODevice::ReadOnly))
        throw readError(path_, file_);
    count_ = countLines();
    rewind();
}

QByteArray LineReader::readPiece(qint64 size)
{
    QByteArray piece = file_.read(size);
    if (file_.error() != QFileDevice::NoError)
        throw readError(path_, file_);
    return piece;
}

qsizetype LineReader::countLines()
{
    QByteArray block = readPiece(kBlock);
    const auto encoding = markedEncoding(block);
    const bool utf16 = encoding == QStringConverter::Utf16LE || encoding == QStringConverter::Utf16BE;
    const int high = encoding == QStringConverter::Utf16BE ? 0 : 1; // the byte with the unit's upper bits
    qsizetype from = !encoding ? 0 : utf16 ? 2 : 3;
    qsizetype lines = 0;
    bool inLine = false;  // the last unit so far is no break
    bool afterCr = false; // the last unit so far is a CR
    int firstByte = -1;   // of a UTF-16 unit cut at a block's end
    auto take = [&](char16_t c) {
        if (c == u'\n' && afterCr) {
            afterCr = false;
            return;
        }
        const bool isBreak = c == u'\r' || c == u'\n';
        lines += isBreak ? 1 : 0;
        inLine = !isBreak;
        afterCr = c == u'\r';
    };
    auto takeText = [&] { // one unit or more that are no break
        inLine = true;
        afterCr = false;
    };
    for (; !block.isEmpty(); block = readPiece(kBlock), from = 0) {
        const auto *b = reinterpret_cast<const uchar *>(block.constData());
        const qsizetype n = block.size();
        if (!utf16) {
            // Only the breaks are looked at, each found by memchr.
            auto find = [&](qsizetype i, char c) {
                return static_cast<const uchar *>(std::memchr(b + i, c, size_t(n - i)));
            };
            const uchar *cr = find(from, '\r');
            const uchar *lf = find(from, '\n');
            for (qsizetype i = from; i < n;) {
                const uchar *next = !cr ? lf : !lf ? cr : std::min(cr, lf);
                if (!next) {
                    takeText();
                    break;
                }
                if (next > b + i)
                    takeText();
                take(*next);
                i = next - b + 1;
                if (next == cr)
                    cr = i < n ? find(i, '\r') : nullptr;
                else
                    lf = i < n ? find(i, '\n') : nullptr;
            }
            continue;
        }
        qsizetype i = from;
        if (firstByte >= 0 && i < n) {
            const int second = b[i++];
            take(char16_t(high ? firstByte | second << 8 : firstByte << 8 | second));
            firstByte = -1;
        }
        for (; i + 1 < n; i += 2)
            take(char16_t(b[i + high] << 8 | b[i + 1 - high]));
        if (i < n)
            firstByte = b[i];
    }
    return lines + (inLine ? 1 : 0);
}

void LineReader::rewind()
{
    if (!file_.seek(0))
        throw readError(path_, file_);
    decoder_.reset();
    allRead_ = false;
    start_ = scan_ = end_ = 0;
}

// The text not yet taken moves to the front, the next piece of the file is
// decoded after it.
void LineReader::decodeMore()
{
    const qsizetype kept = end_ - start_;
    QChar *room = text_.data();
    std::copy(room + start_, room + end_, room);
    scan_ -= start_;
    start_ = 0;
    end_ = kept;
    const QByteArray piece = readPiece(kPiece);
    allRead_ = file_.atEnd();
    if (!decoder_)
        decoder_.emplace(decoderFor(piece));
    const qsizetype needed = kept + decoder_->requiredSpace(piece.size());
    if (text_.size() < needed)
        text_.resize(needed);
    end_ = decoder_->appendToBuffer(text_.data() + kept, piece) - text_.data();
}

bool LineReader::next(QStringView &line)
{
    for (;;) {
        const QChar *text = text_.constData();
        qsizetype p = scan_;
        while (p < end_ && text[p] != u'\r' && text[p] != u'\n')
            ++p;
        // A CR at the end of a piece waits for the next, where an LF may
        // follow it.
        const bool found = p < end_ && (allRead_ || text[p] == u'\n' || p + 1 < end_);
        if (found || (allRead_ && start_ < end_)) {
            line = QStringView(text + start_, text + p);
            qsizetype after = p < end_ ? p + 1 : p;
            if (p < end_ && text[p] == u'\r' && after < end_ && text[after] == u'\n')
                ++after;
            start_ = scan_ = after;
            return true;
        }
        if (allRead_)
            return false;
        scan_ = p;
        decodeMore();
    }
}

} // namespace CsvFile
