#pragma once
#include <QDateTime>
#include <QString>
#include <vector>

// One list the chart merge walks: forward only, one row at a time.
class ChartRows {
public:
    virtual ~ChartRows() = default;
    // At its end once an advance has found no further row, or from the start
    // when it has no rows. A list at its end keeps its last row as current.
    virtual bool atEnd() const = 0;
    virtual void advance() = 0;
    // Fields of the current row, empty texts when there is none.
    // The hour key: year/month/day hour, as the row holds them.
    virtual QString hourKey() const = 0;
    // The minute of a price row; the value list leaves it empty.
    virtual QString minute() const = 0;
    // The close price of a price row, the result of a value row.
    virtual QString value() const = 0;
};

// One point of each chart: the same time and text, the price and the value.
struct ChartPoint {
    QDateTime time;
    QString text;
    int price = 0;
    int value = 0;
};

namespace ChartMerge {

// The hour key of a row: year + "/" + month + "/" + day + " " + hour.
QString hourKey(const QString &year, const QString &month, const QString &day, const QString &hour);

// Sets the close prices beside the results by hour: every value row where a
// group starts takes the price row where both lists met and up to 3 rows
// after it. Both lists only move forward and stay where the merge stopped.
// The pairs are appended as they are made, so that an error (a point text
// naming no date-time, a price or value that is no whole number) leaves
// those made before it in place.
void merge(ChartRows &prices, ChartRows &values, std::vector<ChartPoint> &points);

// The date-time a point text names, "YYYY/MM/DD HH:MM" with parts of any
// width; raises ConversionError "'%s' は日付または時刻ではありません".
QDateTime pointTime(const QString &text);

} // namespace ChartMerge
