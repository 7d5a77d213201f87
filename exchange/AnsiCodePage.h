#pragma once
#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <optional>

// The system's ANSI code page, Windows code page 932 (Japanese), through
// Qt's ICU-backed codecs.
namespace AnsiCodePage {

// The bytes of text in code page 932, or nothing when a character of text has
// no code there (an emoji, "€", most of Unicode outside Japanese).
std::optional<QByteArray> encode(const QString &text);

// The text of bytes in code page 932; a byte sequence without a character
// becomes U+FFFD.
QString decode(const QByteArray &bytes);

// A decoder for bytes in code page 932 that come in pieces: a character cut
// at the end of one piece is completed by the next.
QStringDecoder decoder();

} // namespace AnsiCodePage
