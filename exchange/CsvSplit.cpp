#include "CsvSplit.h"

namespace CsvSplit {
namespace {

bool isBlank(QChar c) { return c.unicode() >= 1 && c.unicode() <= 32; }

// Reads a field from pos; pos is left on the character after it. A quoted
// field is written without its quotes to the end of unquoted, whose room
// holds the whole line, so that no view into it moves.
QStringView field(QStringView line, qsizetype &pos, QChar separator, bool blanksSeparate, std::u16string &unquoted)
{
    const qsizetype n = line.size();
    if (pos < n && line[pos] == u'"') {
        const size_t start = unquoted.size();
        for (++pos; pos < n; ++pos) {
            if (line[pos] == u'"') {
                if (pos + 1 < n && line[pos + 1] == u'"') {
                    unquoted += u'"';
                    ++pos;
                    continue;
                }
                ++pos;
                break;
            }
            unquoted += line[pos].unicode();
        }
        return QStringView(unquoted.data() + start, qsizetype(unquoted.size() - start));
    }
    const qsizetype start = pos;
    while (pos < n && line[pos] != separator && !(blanksSeparate && isBlank(line[pos])))
        ++pos;
    return line.mid(start, pos - start);
}

QStringList toStrings(const Fields &fields)
{
    QStringList list;
    list.reserve(fields.size());
    for (qsizetype k = 0; k < fields.size(); ++k)
        list << fields[k].toString();
    return list;
}

QStringList strings(QStringView line, QChar separator, bool blanksSeparate)
{
    Fields fields;
    split(line, separator, blanksSeparate, fields);
    return toStrings(fields);
}

} // namespace

void split(QStringView line, QChar separator, bool blanksSeparate, Fields &fields)
{
    fields.views_.clear();
    fields.unquoted_.clear();
    fields.unquoted_.reserve(size_t(line.size()));
    const qsizetype n = line.size();
    qsizetype pos = 0;
    auto skipBlanks = [&] {
        while (blanksSeparate && pos < n && isBlank(line[pos]))
            ++pos;
    };
    skipBlanks();
    if (pos == n)
        return;
    for (;;) {
        fields.views_.append(field(line, pos, separator, blanksSeparate, fields.unquoted_));
        skipBlanks();
        if (pos == n)
            return;
        if (line[pos] == separator) {
            ++pos;
            skipBlanks();
            if (pos == n) {
                fields.views_.append(QStringView());
                return;
            }
        }
    }
}

QStringList atCommas(QStringView line) { return strings(line, u',', false); }
void atCommas(QStringView line, Fields &fields) { split(line, u',', false, fields); }

QStringList atCommasAndBlanks(QStringView line) { return strings(line, u',', true); }
void atCommasAndBlanks(QStringView line, Fields &fields) { split(line, u',', true, fields); }

QStringList atSemicolonsAndBlanks(QStringView line) { return strings(line, u';', true); }
void atSemicolonsAndBlanks(QStringView line, Fields &fields) { split(line, u';', true, fields); }

} // namespace CsvSplit
