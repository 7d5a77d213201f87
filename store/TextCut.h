#pragma once
#include <QString>
#include <QStringView>

// A text cut to the length of its column, counted in UTF-16 code units: a
// cut that would split a pair of surrogates (an emoji) goes before the pair,
// so no half character is ever stored.
namespace TextCut {
QString toLength(const QString &text, int length);
QStringView toLength(QStringView text, int length);
}
