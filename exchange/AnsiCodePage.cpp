#include "AnsiCodePage.h"
#include "store/Errors.h"
#include <QStringDecoder>
#include <QStringEncoder>

namespace AnsiCodePage {
namespace {

constexpr const char *kName = "windows-31j";

template <typename Converter>
Converter converter(QStringConverter::Flags flags = QStringConverter::Flag::Stateless)
{
    Converter result(kName, flags);
    if (!result.isValid())
        throw FileError(QStringLiteral("文字コード %1 を使えません").arg(QLatin1String(kName)));
    return result;
}

} // namespace

std::optional<QByteArray> encode(const QString &text)
{
    auto encoder = converter<QStringEncoder>();
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}

QString decode(const QByteArray &bytes)
{
    auto decoder = converter<QStringDecoder>();
    return decoder.decode(bytes);
}

QStringDecoder decoder()
{
    return converter<QStringDecoder>(QStringConverter::Flag::Default);
}

} // namespace AnsiCodePage
