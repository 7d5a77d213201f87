#include "ChartMerge.h"
#include "store/Errors.h"
#include "store/WholeNumber.h"
#include <QRegularExpression>
#include <QStringBuilder>

namespace ChartMerge {

namespace {

// Hour keys compare as texts, ordinally by UTF-16 code unit, as QString's
// operators do: no locale takes part.
bool later(const QString &a, const QString &b) { return QString::compare(a, b, Qt::CaseSensitive) > 0; }

// A field with no value reads as 0, as the database's integers do.
int wholeValue(const QString &text) { return WholeNumber::parseOrZero(text); }

// Advances the price list while the value row lies in a later hour.
void catchUpPrices(ChartRows &prices, QString &sw1, const QString &sw2)
{
    while (later(sw2, sw1)) {
        prices.advance();
        if (prices.atEnd())
            return;
        sw1 = prices.hourKey();
    }
}

// Advances the value list while the value row lies in an earlier hour.
void catchUpValues(ChartRows &values, const QString &sw1, QString &sw2)
{
    while (later(sw1, sw2)) {
        values.advance();
        if (values.atEnd())
            return;
        sw2 = values.hourKey();
    }
}

// Up to 4 pairs from the current price row on, all with the current value.
void addGroup(ChartRows &prices, ChartRows &values, QString &sw1, std::vector<ChartPoint> &points)
{
    for (int i = 1; i <= 4; ++i) {
        const QString sp = sw1 + QLatin1Char(':') + prices.minute();
        const QDateTime dt = pointTime(sp);
        const int i1 = wholeValue(prices.value());
        const int i2 = wholeValue(values.value());
        points.push_back({dt, sp, i1, i2});
        prices.advance();
        if (prices.atEnd())
            return;
        sw1 = prices.hourKey();
    }
}

} // namespace

QString hourKey(const QString &year, const QString &month, const QString &day, const QString &hour)
{
    return year % QLatin1Char('/') % month % QLatin1Char('/') % day % QLatin1Char(' ') % hour; // one allocation
}

void merge(ChartRows &prices, ChartRows &values, std::vector<ChartPoint> &points)
{
    while (!values.atEnd()) {
        QString sw1 = prices.hourKey();
        QString sw2 = values.hourKey();
        if (later(sw2, sw1))
            catchUpPrices(prices, sw1, sw2);
        else if (later(sw1, sw2))
            catchUpValues(values, sw1, sw2);
        addGroup(prices, values, sw1, points);
        values.advance();
        if (prices.atEnd())
            return;
    }
}

QDateTime pointTime(const QString &text)
{
    static const QRegularExpression form(
        QStringLiteral("^([0-9]+)/([0-9]+)/([0-9]+) ([0-9]+):([0-9]+)$"));
    const QRegularExpressionMatch match = form.match(text);
    if (match.hasMatch()) {
        auto part = [&](int n) { return match.capturedView(n).toInt(); };
        const QDate date(part(1), part(2), part(3));
        const QTime time(part(4), part(5));
        if (date.isValid() && time.isValid())
            return QDateTime(date, time, Qt::UTC);
    }
    throw ConversionError(QStringLiteral("'%1' は日付または時刻ではありません").arg(text));
}

} // namespace ChartMerge
