// The price and indicator chart: the close prices of the current FX
// instrument above, the results of the current indicator below, on the same
// time points.
#include "ChartQueries.h"
#include "LinkedCharts.h"
#include "app/VostrelF.h"
#include "store/Tdm.h"
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLineSeries>

namespace {

void setTitleSize(QChart *chart)
{
    QFont font = chart->titleFont();
    font.setPointSize(12);
    chart->setTitleFont(font);
}

QLineSeries *lineSeries(const char *name, const QString &title, const QColor &colour)
{
    auto *series = new QLineSeries;
    series->setObjectName(QString::fromLatin1(name));
    series->setName(title);
    QPen pen(colour);
    pen.setWidth(4);
    series->setPen(pen);
    return series;
}

} // namespace

void TVostrelF::c11gpBClick(QObject *)
{
    udChart();
}

void TVostrelF::udChart()
{
    QChart *upper = c02cht->chart();
    QChart *lower = c03cht->chart();
    LinkedCharts::clear(upper);
    LinkedCharts::clear(lower);
    // Both charts are 2-D: the only kind this charting draws.
    setTitleSize(upper);
    upper->setTitleBrush(Qt::black);
    const QString fxPart = QStringLiteral("FX (") + dm().qf1->text(QStringLiteral("RYAK")) + QStringLiteral(")価格 ");
    const QString indicatorPart
        = QStringLiteral(" 下は経済指標(") + dm().qe1->text(QStringLiteral("RYAK")) + QStringLiteral(") ");
    upper->setTitle(fxPart + indicatorPart);
    setTitleSize(lower);
    lower->setTitle(indicatorPart);

    QLineSeries *lnSer1 = lineSeries("lnSer1", QStringLiteral("FX価格推移"), QColor(0, 255, 255));
    chartLinks_->addSeries(upper, lnSer1)->setTitleText(QStringLiteral("年月日"));
    dm().qf2->first();
    QLineSeries *lnSer2 = lineSeries("lnSer2", QStringLiteral("経済指標推移"), QColor(255, 0, 255));
    chartLinks_->addSeries(lower, lnSer2);
    dm().qf2->first();
    uqe2(1);
    dm().qe2->first();

    ChartDrawing drawing(*chartLinks_, lnSer1, lnSer2);
    QueryRows prices(*dm().qf2, QueryRows::prices());
    QueryRows values(*dm().qe2, QueryRows::values());
    ChartMerge::merge(prices, values, drawing.points);
}
