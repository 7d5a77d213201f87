#include "CsvSplit.h"

namespace CsvSplit {
namespace {

bool isBlank(QChar c) { return c.unicode() >= 1 && c.unicode() <= 32; }

// Reads a field from pos; pos is left on the character after it.
QString field(QStringView line, qsizetype &pos, QChar separator, bool blanksSeparate)
{
    const qsizetype n = line.size();
    if (pos < n && line[pos] == u'"') {
        QString text;
        for (++pos; pos < n; ++pos) {
            if (line[pos] == u'"') {
                if (pos + 1 < n && line[pos + 1] == u'"') {
                    text += u'"';
                    ++pos;
                    continue;
                }
                ++pos;
                return text;
            }
            text += line[pos];
        }
        return text;
    }
    const qsizetype start = pos;
    while (pos < n && line[pos] != separator && !(blanksSeparate && isBlank(line[pos])))
        ++pos;
    return line.mid(start, pos - start).toString();
}

QStringList split(QStringView line, QChar separator, bool blanksSeparate)
{
    QStringList fields;
    const qsizetype n = line.size();
    qsizetype pos = 0;
    auto skipBlanks = [&] {
        while (blanksSeparate && pos < n && isBlank(line[pos]))
            ++pos;
    };
    skipBlanks();
    if (pos == n)
        return fields;
    for (;;) {
        fields << field(line, pos, separator, blanksSeparate);
        skipBlanks();
        if (pos == n)
            return fields;
        if (line[pos] == separator) {
            ++pos;
            skipBlanks();
            if (pos == n) {
                fields << QString();
                return fields;
            }
        }
    }
}

} // namespace

QStringList atCommas(QStringView line) { return split(line, u',', false); }

QStringList atCommasAndBlanks(QStringView line) { return split(line, u',', true); }

QStringList atSemicolonsAndBlanks(QStringView line) { return split(line, u';', true); }

} // namespace CsvSplit
