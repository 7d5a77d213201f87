#include "CsvFile.h"
#include "AnsiCodePage.h"
#include "store/Errors.h"
#include <QFile>
#include <QStringDecoder>
#include <optional>

namespace CsvFile {
namespace {

constexpr qint64 kBlock = 1 << 20;

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

} // namespace CsvFile
