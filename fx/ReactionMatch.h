#pragma once
#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

// How the price moved after every release of an indicator.
//
// Times are counted in minutes; a row's time comes from its year, month,
// day, hour and minute texts as stored (a one-digit day or month reads as
// well as a two-digit one), with no time zone: releases and prices are both
// taken as typed or imported, and a time offset moves the prices.
namespace Reaction {

// One price row: the time of its first stamp and its close price.
struct PriceBar {
    qint64 minute = 0;
    int close = 0;
};

// One release: its time and its result, expected and corrected values,
// each absent when empty.
struct Release {
    qint64 minute = 0;
    std::optional<int> rv, ev, cv;
};

// A span after the release, in minutes, with the text it was typed as.
struct Horizon {
    int minutes = 0;
    QString text;
};

// One release and the prices around it. The close and the move of each
// horizon stand at the horizon's position; absent where no price counts.
struct Row {
    qint64 minute = 0;
    std::optional<int> rv, ev, cv;
    std::optional<int> surprise; // RV - EV
    std::optional<int> price;    // at the release
    std::vector<std::optional<int>> closes;
    std::vector<std::optional<int>> moves; // close - price
};

// The time the texts name; raises ConversionError
// "'Y/M/D H:M' は日付または時刻ではありません" when a part is no number or
// the date or time does not exist.
qint64 minuteOf(QStringView year, QStringView month, QStringView day, QStringView hour, QStringView minute);

// "YYYY/MM/DD HH:MM" of a time.
QString timeText(qint64 minute);

// A stored value: absent when empty, else a whole number (raises
// ConversionError "'%s' は整数ではありません").
std::optional<int> valueOf(const QString &text);

// Puts the rows in time order, once; rows of the same time keep their order.
void sortByTime(std::vector<PriceBar> &prices);
void sortByTime(std::vector<Release> &releases);

// One row per release, in the releases' order. Both lists must be in time
// order (sortByTime). Every price time is moved by the offset first.
//
// A price at a moment is the close of the last price row at or before it;
// a row older than the moment by more than the horizon looked at counts as
// none, so that a gap in the prices never passes off another day's price.
// The price at the release is looked up within the shortest horizon, the
// close of each horizon at release + horizon within that horizon, that is
// from the release on. The move needs both. Raises ConversionError on an
// overflow of the surprise or a move.
std::vector<Row> match(const std::vector<PriceBar> &prices, const std::vector<Release> &releases,
                       const std::vector<Horizon> &horizons, int offsetMinutes);

} // namespace Reaction
