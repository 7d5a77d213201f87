#pragma once
#include "ChartMerge.h"
#include <QObject>
#include <QStringList>
#include <vector>

class QCategoryAxis;
class QChart;
class QChartView;
class QLineSeries;
class QWidget;

// The two charts of the chart page, worked as users of a price chart expect:
// the point under the mouse shows its text and value; the wheel or a
// rectangle dragged across a chart zooms the time axis of both together, and
// a right click returns to the whole drawing. The time axis shows the texts
// of a readable number of points, whatever their number.
class LinkedCharts : public QObject {
    Q_OBJECT
public:
    LinkedCharts(QChartView *upper, QChartView *lower, QObject *parent = nullptr);

    // Removes a chart's series, the first one again and again while it has
    // any, and the axes they had.
    static void clear(QChart *chart);
    // Puts a new series on a chart, on a time axis and a value axis of its
    // own; returns the time axis.
    QCategoryAxis *addSeries(QChart *chart, QLineSeries *series);
    // Gives both series the points made: the time as X, the price above and
    // the value below as Y, the point's text as its label; shows them whole.
    void show(const std::vector<ChartPoint> &points, QLineSeries *upper, QLineSeries *lower);
    // Both time axes over the whole drawing.
    void resetZoom();

    // What hovering the point nearest to a time shows.
    QString pointText(const QLineSeries *series, qreal x) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QChartView *viewOf(QObject *viewport) const;
    QCategoryAxis *timeAxis(QChart *chart) const;
    void zoom(QChartView *view, const QPointF &at, int angle);
    void rangeChanged(QChart *chart, qreal min, qreal max);
    void label(QChart *chart, qreal min, qreal max);
    int nearest(qreal x) const;

    QChartView *upper_;
    QChartView *lower_;
    // Taken once: the views' own accessor is not safe while they are being destroyed.
    QWidget *upperViewport_;
    QWidget *lowerViewport_;
    std::vector<qreal> times_; // the X value of every point, in order
    QStringList texts_;        // the label of every point
};

// The points of one drawing, given to the series when it goes: a drawing
// that stops on an error keeps the points made before it.
class ChartDrawing {
public:
    ChartDrawing(LinkedCharts &charts, QLineSeries *upper, QLineSeries *lower)
        : charts_(charts), upper_(upper), lower_(lower) {}
    ~ChartDrawing() { charts_.show(points, upper_, lower_); }
    ChartDrawing(const ChartDrawing &) = delete;
    ChartDrawing &operator=(const ChartDrawing &) = delete;

    std::vector<ChartPoint> points;

private:
    LinkedCharts &charts_;
    QLineSeries *upper_;
    QLineSeries *lower_;
};
