#include "PriceForm.h"
#include "CsvSplit.h"
#include <QDate>
#include <QRegularExpression>
#include <QVarLengthArray>

namespace PriceForm {
namespace {

// How a form writes its stamp: the separator inside the date and inside the
// time (none in the compact form), and whether month, day and hour may be
// written with one digit.
struct StampRule {
    char16_t dateSeparator;
    char16_t timeSeparator;
    bool oneDigitParts;
};

StampRule stampRule(Form form)
{
    switch (form) {
    case Form::Dotted:
    case Form::Tabbed: return {u'.', u':', false};
    case Form::Iso: return {u'-', u':', false};
    case Form::Compact: return {0, 0, false};
    case Form::Japanese: return {u'/', u':', true};
    case Form::Slashed: break;
    }
    Q_UNREACHABLE();
}

// Reads a stamp part by part, from the start of one field.
class StampReader {
public:
    explicit StampReader(QStringView text) : text_(text) {}

    // The next minDigits to maxDigits ASCII digits, as a number.
    bool number(int minDigits, int maxDigits, int &value)
    {
        value = 0;
        int digits = 0;
        while (digits < maxDigits && pos_ < text_.size() && text_[pos_] >= u'0' && text_[pos_] <= u'9') {
            value = value * 10 + (text_[pos_].unicode() - u'0');
            ++pos_;
            ++digits;
        }
        return digits >= minDigits;
    }

    // The separator next, or nothing when the form has none.
    bool separator(char16_t c)
    {
        if (c == 0)
            return true;
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    bool atEnd() const { return pos_ == text_.size(); }

private:
    QStringView text_;
    qsizetype pos_ = 0;
};

void takeTwoDigits(PriceLine::SlotViews &s, int slot, int value)
{
    s.made(slot, char16_t(u'0' + value / 10), char16_t(u'0' + value % 10));
}

// Year, month and day into slots 14 to 16.
bool takeDate(QStringView text, const StampRule &rule, PriceLine::SlotViews &s)
{
    StampReader r(text);
    const int shortest = rule.oneDigitParts ? 1 : 2;
    int year, month, day;
    if (!(r.number(4, 4, year) && r.separator(rule.dateSeparator) && r.number(shortest, 2, month)
          && r.separator(rule.dateSeparator) && r.number(shortest, 2, day) && r.atEnd()))
        return false;
    if (!QDate::isValid(year, month, day))
        return false;
    s.cut(14, text.left(4));
    takeTwoDigits(s, 15, month);
    takeTwoDigits(s, 16, day);
    return true;
}

// Hour and minute into slots 17 and 18; seconds, when written, are read for
// their validity only.
bool takeTime(QStringView text, const StampRule &rule, PriceLine::SlotViews &s)
{
    StampReader r(text);
    int hour, minute, second = 0;
    if (!(r.number(rule.oneDigitParts ? 1 : 2, 2, hour) && r.separator(rule.timeSeparator)
          && r.number(2, 2, minute)))
        return false;
    if (!r.atEnd() && !(r.separator(rule.timeSeparator) && r.number(2, 2, second) && r.atEnd()))
        return false;
    if (hour > 23 || minute > 59 || second > 59)
        return false;
    takeTwoDigits(s, 17, hour);
    takeTwoDigits(s, 18, minute);
    return true;
}

bool hasFields(QStringView line)
{
    for (QChar c : line)
        if (c.unicode() == 0 || c.unicode() > 32)
            return true;
    return false;
}

qsizetype nextWithFields(const QList<QStringView> &lines, qsizetype from)
{
    for (qsizetype k = from; k < lines.size(); ++k)
        if (hasFields(lines[k]))
            return k;
    return -1;
}

// The form that a price line's start shows, the program's own for none.
Form formOfPriceLine(QStringView line)
{
    static const QRegularExpression compact(QStringLiteral("^[0-9]{8} [0-9]{6};"));
    static const QRegularExpression dotted(QStringLiteral("^[0-9]{4}\\.[0-9]{2}\\.[0-9]{2}([,\\t])"));
    static const QRegularExpression iso(QStringLiteral("^[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}(:[0-9]{2})?,"));
    if (compact.match(line).hasMatch())
        return Form::Compact;
    if (iso.match(line).hasMatch())
        return Form::Iso;
    const QRegularExpressionMatch m = dotted.match(line);
    if (m.hasMatch())
        return m.capturedView(1) == u"\t" ? Form::Tabbed : Form::Dotted;
    return Form::Slashed;
}

bool isHeader(QStringView line)
{
    for (QChar c : line)
        if (c >= u'0' && c <= u'9')
            return false;
    return true;
}

bool isJapaneseHeader(QStringView line)
{
    const QStringList fields = CsvSplit::atCommasAndBlanks(line);
    return fields.first() == u"日時" || fields.first() == u"日付";
}

bool beginsWithSlashedDate(QStringView line)
{
    static const QRegularExpression slashed(QStringLiteral("^[0-9]{4}/[0-9]{1,2}/[0-9]{1,2}[\\x01-\\x20,]"));
    return slashed.match(line).hasMatch();
}

} // namespace

Recognised recognise(const QList<QStringView> &lines)
{
    const qsizetype first = nextWithFields(lines, 0);
    if (first < 0)
        return {};
    if (const Form form = formOfPriceLine(lines[first]); form != Form::Slashed)
        return {form, -1};
    if (!isHeader(lines[first]))
        return {};
    const qsizetype second = nextWithFields(lines, first + 1);
    if (second < 0)
        return {};
    if (const Form form = formOfPriceLine(lines[second]); form != Form::Slashed)
        return {form, first};
    if (isJapaneseHeader(lines[first]) && beginsWithSlashedDate(lines[second]))
        return {Form::Japanese, first};
    return {};
}

Recognised recognise(CsvFile::LineReader &reader)
{
    QStringList first;
    QList<QStringView> views;
    int withFields = 0;
    QStringView line;
    while (withFields < 2 && reader.next(line)) {
        first << line.toString();
        withFields += hasFields(line) ? 1 : 0;
    }
    reader.rewind();
    for (const QString &l : std::as_const(first))
        views << l;
    return recognise(views);
}

QStringList split(Form form, QStringView line)
{
    return form == Form::Compact ? CsvSplit::atSemicolonsAndBlanks(line) : CsvSplit::atCommasAndBlanks(line);
}

void split(Form form, QStringView line, CsvSplit::Fields &fields)
{
    CsvSplit::split(line, form == Form::Compact ? u';' : u',', true, fields);
}

bool take(Form form, const QStringView *fields, qsizetype count, PriceLine::SlotViews &s)
{
    if (form == Form::Slashed) {
        PriceLine::take(fields, count, s);
        return true;
    }
    constexpr int kStampAndPrices = 6;
    if (count < kStampAndPrices)
        return false;
    const StampRule rule = stampRule(form);
    s.clear();
    if (!takeDate(fields[0], rule, s) || !takeTime(fields[1], rule, s))
        return false;
    for (int k = 2; k <= 5; ++k)
        s.withoutFirstPoint(17 + k, fields[k]);
    return true;
}

std::optional<PriceLine::Slots> take(Form form, const QStringList &fields)
{
    const QVarLengthArray<QStringView, 16> views(fields.begin(), fields.end());
    PriceLine::SlotViews s;
    if (!take(form, views.data(), views.size(), s))
        return std::nullopt;
    return s.toStrings();
}

QString name(Form form)
{
    switch (form) {
    case Form::Slashed: return QStringLiteral("標準 (2023/01/05,9:30,…)");
    case Form::Dotted: return QStringLiteral("取引ﾂｰﾙの履歴 (2009.01.05,12:49,…)");
    case Form::Iso: return QStringLiteral("取引ﾂｰﾙの ISO 日時 (2023-05-11 21:00:00,…)");
    case Form::Tabbed: return QStringLiteral("取引ﾂｰﾙのﾀﾌﾞ区切り (<DATE> <TIME> …)");
    case Form::Compact: return QStringLiteral("ﾃﾞｰﾀｻｲﾄの分足 (20230102 170000;…)");
    case Form::Japanese: return QStringLiteral("国内FX会社 (日時,始値,高値,安値,終値)");
    }
    Q_UNREACHABLE();
}

} // namespace PriceForm
