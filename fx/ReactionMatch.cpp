#include "ReactionMatch.h"
#include "store/Errors.h"
#include "store/WholeNumber.h"
#include <QDate>
#include <algorithm>

namespace Reaction {

namespace {

constexpr int kMinutesPerDay = 24 * 60;

// ASCII digits only, at most 9 of them; -1 for anything else.
int digits(QStringView text)
{
    if (text.isEmpty() || text.size() > 9)
        return -1;
    int value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

// The close of the last price row at or before the moment, when that row
// is no older than the moment by more than the span.
std::optional<int> priceAt(const std::vector<PriceBar> &prices, qint64 moment, int span, int offset)
{
    const auto after = std::upper_bound(prices.begin(), prices.end(), moment - offset,
                                        [](qint64 t, const PriceBar &bar) { return t < bar.minute; });
    if (after == prices.begin())
        return std::nullopt;
    const PriceBar &bar = *(after - 1);
    if (bar.minute + offset < moment - span)
        return std::nullopt;
    return bar.close;
}

std::optional<int> difference(const std::optional<int> &a, const std::optional<int> &b)
{
    if (!a || !b)
        return std::nullopt;
    return WholeNumber::subtract(*a, *b);
}

} // namespace

qint64 minuteOf(QStringView year, QStringView month, QStringView day, QStringView hour, QStringView minute)
{
    const int y = digits(year), mo = digits(month), d = digits(day), h = digits(hour), mi = digits(minute);
    if (y < 0 || mo < 0 || d < 0 || h > 23 || h < 0 || mi > 59 || mi < 0 || !QDate::isValid(y, mo, d))
        throw ConversionError(QStringLiteral("'%1/%2/%3 %4:%5' は日付または時刻ではありません")
                                  .arg(year, month, day, hour, minute));
    return QDate(y, mo, d).toJulianDay() * kMinutesPerDay + h * 60 + mi;
}

QString timeText(qint64 minute)
{
    const qint64 day = minute / kMinutesPerDay; // times are never before the first Julian day
    const int inDay = int(minute % kMinutesPerDay);
    return QDate::fromJulianDay(day).toString(QStringLiteral("yyyy/MM/dd"))
           + QStringLiteral(" %1:%2").arg(inDay / 60, 2, 10, QLatin1Char('0')).arg(inDay % 60, 2, 10, QLatin1Char('0'));
}

std::optional<int> valueOf(const QString &text)
{
    if (text.isEmpty())
        return std::nullopt;
    return WholeNumber::parse(text);
}

void sortByTime(std::vector<PriceBar> &prices)
{
    auto earlier = [](const PriceBar &a, const PriceBar &b) { return a.minute < b.minute; };
    if (!std::is_sorted(prices.begin(), prices.end(), earlier)) // as imported, they mostly are
        std::stable_sort(prices.begin(), prices.end(), earlier);
}

void sortByTime(std::vector<Release> &releases)
{
    std::stable_sort(releases.begin(), releases.end(),
                     [](const Release &a, const Release &b) { return a.minute < b.minute; });
}

std::vector<Row> match(const std::vector<PriceBar> &prices, const std::vector<Release> &releases,
                       const std::vector<Horizon> &horizons, int offsetMinutes)
{
    int shortest = 0;
    for (const Horizon &h : horizons)
        shortest = shortest == 0 ? h.minutes : std::min(shortest, h.minutes);
    std::vector<Row> rows;
    rows.reserve(releases.size());
    for (const Release &release : releases) {
        Row row;
        row.minute = release.minute;
        row.rv = release.rv;
        row.ev = release.ev;
        row.cv = release.cv;
        row.surprise = difference(release.rv, release.ev);
        row.price = priceAt(prices, release.minute, shortest, offsetMinutes);
        for (const Horizon &h : horizons) {
            row.closes.push_back(priceAt(prices, release.minute + h.minutes, h.minutes, offsetMinutes));
            row.moves.push_back(difference(row.closes.back(), row.price));
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace Reaction
