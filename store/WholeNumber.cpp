#include "WholeNumber.h"
#include "Errors.h"
#include <limits>

namespace WholeNumber {

static ConversionError notWhole(const QString &text)
{
    return ConversionError(QStringLiteral("'%1' は整数ではありません").arg(text));
}

static ConversionError overflow()
{
    return ConversionError(QStringLiteral("整数のオーバーフロー"));
}

int parse(const QString &text)
{
    int i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == text.size())
        throw notWhole(text);
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c < u'0' || c > u'9')
            throw notWhole(text);
        value = value * 10 + (c.unicode() - u'0');
        if (value > qint64(std::numeric_limits<int>::max()) + 1)
            throw notWhole(text);
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        throw notWhole(text);
    return int(value);
}

int parseOrZero(const QString &text)
{
    return text.isEmpty() ? 0 : parse(text);
}

int add(int a, int b)
{
    int sum;
    if (__builtin_add_overflow(a, b, &sum))
        throw overflow();
    return sum;
}

int subtract(int a, int b)
{
    int difference;
    if (__builtin_sub_overflow(a, b, &difference))
        throw overflow();
    return difference;
}

} // namespace WholeNumber
