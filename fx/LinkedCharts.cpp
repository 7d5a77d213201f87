#include "LinkedCharts.h"
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QLineSeries>
#include <QMouseEvent>
#include <QToolTip>
#include <QValueAxis>
#include <QWheelEvent>
#include <algorithm>

namespace {

constexpr int kLabelWidth = 150;          // pixels kept for one label of the time axis
constexpr qreal kLeastSpan = 60 * 1000.0; // a zoom shows one minute at least
constexpr qreal kLoneSpan = 3600 * 1000.0; // one point alone shows an hour

QValueAxis *valueAxis(QChart *chart)
{
    const QList<QAbstractAxis *> axes = chart->axes(Qt::Vertical);
    return axes.isEmpty() ? nullptr : qobject_cast<QValueAxis *>(axes.first());
}

// The value axis over the values drawn, in round numbers.
void fitValues(QChart *chart, const QList<QPointF> &points)
{
    QValueAxis *axis = valueAxis(chart);
    if (!axis || points.isEmpty())
        return;
    auto [low, high] = std::minmax_element(points.begin(), points.end(),
                                           [](const QPointF &a, const QPointF &b) { return a.y() < b.y(); });
    qreal min = low->y(), max = high->y();
    if (min == max) {
        min -= 1;
        max += 1;
    }
    axis->setRange(min, max);
    axis->applyNiceNumbers();
}

} // namespace

LinkedCharts::LinkedCharts(QChartView *upper, QChartView *lower, QObject *parent)
    : QObject(parent), upper_(upper), lower_(lower), upperViewport_(upper->viewport()),
      lowerViewport_(lower->viewport())
{
    for (QChartView *view : {upper_, lower_}) {
        view->setRubberBand(QChartView::HorizontalRubberBand);
        view->viewport()->installEventFilter(this);
        // A chart laid out anew has room for another number of labels.
        QChart *chart = view->chart();
        connect(chart, &QChart::plotAreaChanged, this, [this, chart] {
            if (QCategoryAxis *axis = timeAxis(chart))
                label(chart, axis->min(), axis->max());
        });
    }
}

void LinkedCharts::clear(QChart *chart)
{
    while (!chart->series().isEmpty()) {
        QAbstractSeries *series = chart->series().first();
        chart->removeSeries(series);
        delete series;
    }
    for (QAbstractAxis *axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
}

QCategoryAxis *LinkedCharts::addSeries(QChart *chart, QLineSeries *series)
{
    chart->addSeries(series);
    auto *time = new QCategoryAxis;
    time->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    auto *value = new QValueAxis;
    value->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(time, Qt::AlignBottom);
    chart->addAxis(value, Qt::AlignLeft);
    series->attachAxis(time);
    series->attachAxis(value);
    connect(time, &QValueAxis::rangeChanged, this,
            [this, chart](qreal min, qreal max) { rangeChanged(chart, min, max); });
    connect(series, &QLineSeries::hovered, this, [this, series](const QPointF &point, bool state) {
        if (state)
            QToolTip::showText(QCursor::pos(), pointText(series, point.x()));
        else
            QToolTip::hideText();
    });
    return time;
}

void LinkedCharts::show(const std::vector<ChartPoint> &points, QLineSeries *upper, QLineSeries *lower)
{
    QList<QPointF> prices, values;
    prices.reserve(qsizetype(points.size()));
    values.reserve(qsizetype(points.size()));
    times_.clear();
    texts_.clear();
    for (const ChartPoint &p : points) {
        const qreal x = qreal(p.time.toMSecsSinceEpoch());
        prices.append(QPointF(x, p.price));
        values.append(QPointF(x, p.value));
        times_.push_back(x);
        texts_.append(p.text);
    }
    // The axes first: each change of a range lays out every point again.
    fitValues(upper_->chart(), prices);
    fitValues(lower_->chart(), values);
    resetZoom();
    upper->replace(prices);
    lower->replace(values);
}

void LinkedCharts::resetZoom()
{
    if (times_.empty())
        return;
    qreal min = times_.front(), max = times_.back();
    if (min == max) {
        min -= kLoneSpan / 2;
        max += kLoneSpan / 2;
    }
    for (QChartView *view : {upper_, lower_})
        if (QCategoryAxis *axis = timeAxis(view->chart())) {
            axis->setRange(min, max);
            label(view->chart(), min, max); // also when the range stays
        }
}

QString LinkedCharts::pointText(const QLineSeries *series, qreal x) const
{
    const int i = nearest(x);
    if (i < 0 || i >= series->count())
        return QString();
    return texts_.at(i) + QStringLiteral("  ") + QString::number(qint64(series->at(i).y()));
}

int LinkedCharts::nearest(qreal x) const
{
    if (times_.empty())
        return -1;
    const auto after = std::lower_bound(times_.begin(), times_.end(), x);
    if (after == times_.begin())
        return 0;
    if (after == times_.end() || x - *(after - 1) <= *after - x)
        return int(after - times_.begin()) - 1;
    return int(after - times_.begin());
}

QCategoryAxis *LinkedCharts::timeAxis(QChart *chart) const
{
    const QList<QAbstractAxis *> axes = chart->axes(Qt::Horizontal);
    return axes.isEmpty() ? nullptr : qobject_cast<QCategoryAxis *>(axes.first());
}

// A zoom of one chart's time axis is also the other's.
void LinkedCharts::rangeChanged(QChart *chart, qreal min, qreal max)
{
    label(chart, min, max);
    QChart *other = chart == upper_->chart() ? lower_->chart() : upper_->chart();
    if (QCategoryAxis *axis = timeAxis(other))
        axis->setRange(min, max);
}

// Labels a readable number of the points within the range, evenly spread
// and kept off its ends.
void LinkedCharts::label(QChart *chart, qreal min, qreal max)
{
    QCategoryAxis *axis = timeAxis(chart);
    if (!axis)
        return;
    for (const QString &category : axis->categoriesLabels())
        axis->remove(category);
    axis->setStartValue(min);
    const auto first = std::lower_bound(times_.begin(), times_.end(), min);
    const auto end = std::upper_bound(first, times_.end(), max);
    const int inside = int(end - first);
    if (inside == 0)
        return;
    const QChartView *view = chart == upper_->chart() ? upper_ : lower_;
    const int room = std::max(2, int(chart->plotArea().width() > 0 ? chart->plotArea().width() : view->width())
                                     / kLabelWidth);
    const int shown = std::min(inside, room);
    const int offset = int(first - times_.begin());
    for (int k = 0; k < shown; ++k) {
        // The middle of each of as many stretches: no label runs off an end.
        const int i = offset + int(qint64(2 * k + 1) * inside / (2 * shown));
        axis->append(texts_.at(i), times_[size_t(i)]);
    }
}

QChartView *LinkedCharts::viewOf(QObject *viewport) const
{
    if (viewport == upperViewport_)
        return upper_;
    if (viewport == lowerViewport_)
        return lower_;
    return nullptr;
}

// The wheel zooms about the time under the mouse: a notch in shows a fifth less.
void LinkedCharts::zoom(QChartView *view, const QPointF &at, int angle)
{
    QChart *chart = view->chart();
    QCategoryAxis *axis = timeAxis(chart);
    if (!axis || times_.empty() || angle == 0)
        return;
    const qreal x = chart->mapToValue(chart->mapFromScene(view->mapToScene(at.toPoint()))).x();
    const qreal factor = angle > 0 ? 0.8 : 1.25;
    qreal min = x - (x - axis->min()) * factor;
    qreal max = x + (axis->max() - x) * factor;
    if (max - min < kLeastSpan)
        return;
    min = std::max(min, times_.front());
    max = std::min(max, times_.back());
    if (min < max)
        axis->setRange(min, max);
}

bool LinkedCharts::eventFilter(QObject *watched, QEvent *event)
{
    QChartView *view = viewOf(watched);
    if (!view)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Wheel: {
        auto *wheel = static_cast<QWheelEvent *>(event);
        zoom(view, wheel->position(), wheel->angleDelta().y());
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return static_cast<QMouseEvent *>(event)->button() == Qt::RightButton;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent *>(event)->button() != Qt::RightButton)
            return false;
        resetZoom();
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}
