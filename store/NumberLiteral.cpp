#include "NumberLiteral.h"
#include <cmath>

namespace NumberLiteral {

namespace {

// SQLite's white space around a number. A vertical tab is not among them:
// SQLite takes it as white space only where no number ends right before it.
bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\f' || c == u'\r';
}

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

bool isHexDigit(QChar c)
{
    return isDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

int skipDigits(const QString &text, int i)
{
    while (i < text.size() && isDigit(text[i]))
        ++i;
    return i;
}

// "0x" and hex digits, of which at most 16 after the leading zeros, as
// SQLite's parser allows. Returns the end, or -1. SQLite reads the digits as
// a 64-bit two's-complement integer and cannot negate the smallest one, so a
// minus sign before 0x8000000000000000 is refused as it refuses it.
int hexEnd(const QString &text, int i, bool negative)
{
    if (i + 2 >= text.size() || text[i] != u'0' || (text[i + 1] != u'x' && text[i + 1] != u'X')
        || !isHexDigit(text[i + 2]))
        return -1;
    i += 2;
    while (i < text.size() && text[i] == u'0')
        ++i;
    const int significant = i;
    while (i < text.size() && isHexDigit(text[i]))
        ++i;
    if (i - significant > 16)
        return -1;
    if (negative && text.mid(significant, i - significant).compare(QLatin1String("8000000000000000"), Qt::CaseInsensitive) == 0)
        return -1;
    return i;
}

// Digits with an optional point and exponent. Returns the end, or -1.
int decimalEnd(const QString &text, int i)
{
    const int start = i;
    i = skipDigits(text, i);
    bool digits = i > start;
    if (i < text.size() && text[i] == u'.') {
        const int fraction = i + 1;
        i = skipDigits(text, fraction);
        digits = digits || i > fraction;
    }
    if (!digits)
        return -1;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        int j = i + 1;
        if (j < text.size() && (text[j] == u'+' || text[j] == u'-'))
            ++j;
        const int exponent = j;
        j = skipDigits(text, j);
        if (j == exponent)
            return -1;
        i = j;
    }
    return i;
}

} // namespace

bool accepts(const QString &text)
{
    int i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    int last = text.size();
    while (last > i && isBlank(text[last - 1]))
        --last;
    const QString literal = text.mid(i, last - i);
    int p = 0;
    const bool negative = p < literal.size() && literal[p] == u'-';
    if (p < literal.size() && (literal[p] == u'+' || negative))
        ++p;
    if (hexEnd(literal, p, negative) == literal.size())
        return true;
    if (decimalEnd(literal, p) != literal.size())
        return false;
    // An overflow reads as infinity, an underflow as zero, as in SQLite.
    return std::isfinite(literal.toDouble());
}

} // namespace NumberLiteral
