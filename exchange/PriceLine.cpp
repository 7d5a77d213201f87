#include "PriceLine.h"
#include <QVarLengthArray>

namespace PriceLine {
namespace {

// Year, then the rest after the year and one separator: month up to the
// first "/", day after it.
void takeFirstDate(QStringView date, SlotViews &s)
{
    s.cut(14, date.left(4));
    const QStringView rest = date.mid(5);
    const qsizetype slash = rest.indexOf(u'/');
    if (slash < 0)
        return;
    if (slash == 1)
        s.made(15, u'0', rest[0].unicode());
    else if (slash >= 2)
        s.cut(15, rest.left(2));
    s.cut(16, rest.mid(slash + 1));
}

void takeFirstTime(QStringView time, SlotViews &s)
{
    if (time.isEmpty()) {
        s.made(17, u'0', u'0');
        s.made(18, u'0', u'0');
        return;
    }
    const qsizetype colon = time.indexOf(u':');
    if (colon == 0)
        s.made(17, u'0', u'0');
    else if (colon == 1)
        s.made(17, u'0', time[0].unicode());
    else if (colon == 2)
        s.cut(17, time.left(2));
    const QStringView rest = colon < 0 ? time : time.mid(colon + 1);
    if (rest.isEmpty())
        s.made(18, u'0', u'0');
    else if (rest.size() == 1)
        s.made(18, u'0', rest[0].unicode());
    else
        s.cut(18, rest);
}

} // namespace

void SlotViews::made(int slot, char16_t first, char16_t second)
{
    std::array<char16_t, 2> &pair = pairs_[slot - kFirstSlot];
    pair = {first, second};
    views_[slot - kFirstSlot] = QStringView(pair.data(), 2);
}

void SlotViews::withoutFirstPoint(int slot, QStringView price)
{
    const qsizetype point = price.indexOf(u'.');
    if (point < 0) {
        cut(slot, price);
        return;
    }
    std::u16string &text = prices_[slot - kFirstSlot];
    text.assign(price.utf16(), size_t(point));
    text.append(price.utf16() + point + 1, size_t(price.size() - point - 1));
    views_[slot - kFirstSlot] = QStringView(text.data(), qsizetype(text.size()));
}

Slots SlotViews::toStrings() const
{
    Slots strings;
    for (int k = 0; k < kSlotCount; ++k)
        strings[k] = views_[k].toString();
    return strings;
}

void take(const QStringView *fields, qsizetype n, SlotViews &s)
{
    s.clear();
    if (n > 0)
        takeFirstDate(fields[0], s);
    if (n > 1)
        takeFirstTime(fields[1], s);
    for (int k = 2; k <= 5 && k < n; ++k)
        s.withoutFirstPoint(17 + k, fields[k]);
    if (n > 6) {
        s.cut(23, fields[6].mid(0, 4));
        s.cut(24, fields[6].mid(5, 2));
        s.cut(25, fields[6].mid(8, 2));
    }
    if (n > 7) {
        s.cut(26, fields[7].mid(0, 2));
        s.cut(27, fields[7].mid(3, 2));
    }
}

Slots take(const QStringList &fields)
{
    const QVarLengthArray<QStringView, 16> views(fields.begin(), fields.end());
    SlotViews s;
    take(views.data(), views.size(), s);
    return s.toStrings();
}

} // namespace PriceLine
