#include "PriceLine.h"

namespace PriceLine {
namespace {

QString withLeadingZero(const QString &one) { return QLatin1Char('0') + one; }

// Year, then the rest after the year and one separator: month up to the
// first "/", day after it.
void takeFirstDate(const QString &date, QString &year, QString &month, QString &day)
{
    year = date.left(4);
    const QString rest = date.mid(5);
    const qsizetype slash = rest.indexOf(QLatin1Char('/'));
    if (slash < 0)
        return;
    if (slash == 1)
        month = withLeadingZero(rest.left(1));
    else if (slash >= 2)
        month = rest.left(2);
    day = rest.mid(slash + 1);
}

void takeFirstTime(const QString &time, QString &hour, QString &minute)
{
    if (time.isEmpty()) {
        hour = minute = QStringLiteral("00");
        return;
    }
    const qsizetype colon = time.indexOf(QLatin1Char(':'));
    if (colon == 0)
        hour = QStringLiteral("00");
    else if (colon == 1)
        hour = withLeadingZero(time.left(1));
    else if (colon == 2)
        hour = time.left(2);
    const QString rest = colon < 0 ? time : time.mid(colon + 1);
    if (rest.isEmpty())
        minute = QStringLiteral("00");
    else if (rest.size() == 1)
        minute = withLeadingZero(rest);
    else
        minute = rest;
}

} // namespace

QString withoutFirstPoint(QString price)
{
    const qsizetype point = price.indexOf(QLatin1Char('.'));
    if (point >= 0)
        price.remove(point, 1);
    return price;
}

Slots take(const QStringList &fields)
{
    Slots s;
    auto slot = [&s](int number) -> QString & { return s[number - kFirstSlot]; };
    const qsizetype n = fields.size();
    if (n > 0)
        takeFirstDate(fields[0], slot(14), slot(15), slot(16));
    if (n > 1)
        takeFirstTime(fields[1], slot(17), slot(18));
    for (int k = 2; k <= 5 && k < n; ++k)
        slot(17 + k) = withoutFirstPoint(fields[k]);
    if (n > 6) {
        slot(23) = fields[6].mid(0, 4);
        slot(24) = fields[6].mid(5, 2);
        slot(25) = fields[6].mid(8, 2);
    }
    if (n > 7) {
        slot(26) = fields[7].mid(0, 2);
        slot(27) = fields[7].mid(3, 2);
    }
    return s;
}

} // namespace PriceLine
