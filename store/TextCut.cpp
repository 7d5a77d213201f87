#include "TextCut.h"

QString TextCut::toLength(const QString &text, int length)
{
    return text.size() <= length ? text : toLength(QStringView(text), length).toString();
}

QStringView TextCut::toLength(QStringView text, int length)
{
    if (text.size() <= length)
        return text;
    if (length <= 0)
        return {};
    return text.left(text.at(length - 1).isHighSurrogate() ? length - 1 : length);
}
