// The chart page on the real window: titles, series, points, where the lists
// stand afterwards, errors, and zooming and hovering.
#include "TestMain.h"
#include "WindowFixture.h"
#include "app/DataGrid.h"
#include "fx/LinkedCharts.h"
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QToolTip>

namespace {

// Prices of instrument 1 every 15 minutes from 2024/05/03 21:00, closing at
// 15000 + the row number.
QString prices(int fid, int rows, const QString &close = QStringLiteral("15000 + i"))
{
    // Concatenated: printf's "%02d" would read as a placeholder of arg().
    return QStringLiteral("with recursive n(i) as (select 0 union all select i + 1 from n where i < ")
           + QString::number(rows - 1)
           + QStringLiteral(") insert into AFX (CNT, FID, FXNM, DYL, DML, DDL, HHL, HML, OV, HV, LV, CV) select i + 1, ")
           + QString::number(fid)
           + QStringLiteral(", 'USDJPY', '2024', '05', printf('%02d', 3 + (21 * 60 + i * 15) / 1440), "
                            "printf('%02d', (21 + i / 4) % 24), printf('%02d', (i % 4) * 15), 1, 1, 1, ")
           + close + QStringLiteral(" from n");
}

// Two instruments, three indicators; the first indicator has a release
// before all prices and one at 21:30 of their first day.
QStringList seed(const QString &firstRyak = QStringLiteral("'ドル円'"),
                 const QString &indicatorRyak = QStringLiteral("'雇用統計'"))
{
    return {
        QStringLiteral("insert into AAFXL (CNT, FID, FXNM, RYAK, CSVNM) values "
                       "(1, 1, 'USDJPY', %1, 'USDJPY'), (2, 2, 'EURUSD', 'ユーロドル', 'EURUSD')")
            .arg(firstRyak),
        QStringLiteral("insert into AAEIL (CNT, IID, IXNM, URL, RYAK) values "
                       "(1, 3, '米国雇用統計', '', %1), (2, 5, '日銀短観', '', '短観'), (3, 7, 'ISM製造業', '', 'ISM')")
            .arg(indicatorRyak),
        QStringLiteral("insert into AINDX (CNT, IID, IXNM, DY, DM, DD, HH, HM, RV) values "
                       "(10, 3, '米国雇用統計', '2024', '04', '05', '21', '30', 303), "
                       "(11, 3, '米国雇用統計', '2024', '05', '03', '21', '30', 175), "
                       "(12, 7, 'ISM製造業', '2024', '05', '03', '23', '00', 492)"),
        prices(1, 8),
    };
}

struct Chart : WindowFixture {
    explicit Chart(const QStringList &rows = seed()) : WindowFixture(rows)
    {
        start(); // the first activation loads the FX list and its first instrument's prices
    }

    void click() { QTest::mouseClick(window->c11gpB, Qt::LeftButton); }

    QChart *upper() const { return window->c02cht->chart(); }
    QChart *lower() const { return window->c03cht->chart(); }

    // "label price value" of every point of both charts, which must agree.
    QStringList points() const
    {
        const auto *a = qobject_cast<QLineSeries *>(upper()->series().value(0));
        const auto *b = qobject_cast<QLineSeries *>(lower()->series().value(0));
        if (!a || !b || a->count() != b->count())
            return {QStringLiteral("series differ")};
        QStringList out;
        for (int i = 0; i < a->count(); ++i) {
            if (a->at(i).x() != b->at(i).x())
                return {QStringLiteral("times differ")};
            out << QDateTime::fromMSecsSinceEpoch(qint64(a->at(i).x()), Qt::UTC).toString(QStringLiteral("MM/dd HH:mm"))
                       + QStringLiteral(" %1 %2").arg(a->at(i).y()).arg(b->at(i).y());
        }
        return out;
    }
};

QCategoryAxis *timeAxis(QChart *chart)
{
    return qobject_cast<QCategoryAxis *>(chart->axes(Qt::Horizontal).value(0));
}

const QStringList kFirstGroup = {"05/03 21:00 15000 175", "05/03 21:15 15001 175", "05/03 21:30 15002 175",
                                 "05/03 21:45 15003 175"};

} // namespace

class TestChart : public QObject {
    Q_OBJECT
private slots:
    void beforeTheFirstDrawingNothingIsShown()
    {
        Chart f;
        QVERIFY(f.upper()->series().isEmpty() && f.lower()->series().isEmpty());
    }

    void aDrawingTitlesSeriesAndPoints()
    {
        Chart f;
        TVostrelF &w = *f.window;
        f.dm->qf2->next(); // the drawing starts from the first price all the same
        f.click();
        QVERIFY(f.boxes.errors.isEmpty());
        QCOMPARE(f.upper()->title(), QStringLiteral("FX (ドル円)価格  下は経済指標(雇用統計) "));
        QCOMPARE(f.lower()->title(), QStringLiteral(" 下は経済指標(雇用統計) "));
        QCOMPARE(f.upper()->titleFont().pointSize(), 12);
        QCOMPARE(f.lower()->titleFont().pointSize(), 12);
        QCOMPARE(f.upper()->titleBrush().color(), QColor(Qt::black));

        for (int click = 0; click < 2; ++click) {
            QCOMPARE(f.upper()->series().size(), 1);
            QCOMPARE(f.lower()->series().size(), 1);
            auto *lnSer1 = qobject_cast<QLineSeries *>(f.upper()->series().first());
            auto *lnSer2 = qobject_cast<QLineSeries *>(f.lower()->series().first());
            QCOMPARE(lnSer1->objectName(), QStringLiteral("lnSer1"));
            QCOMPARE(lnSer1->name(), QStringLiteral("FX価格推移"));
            QCOMPARE(lnSer1->pen().width(), 4);
            QCOMPARE(lnSer1->color(), QColor(0, 255, 255));
            QCOMPARE(lnSer2->objectName(), QStringLiteral("lnSer2"));
            QCOMPARE(lnSer2->name(), QStringLiteral("経済指標推移"));
            QCOMPARE(lnSer2->pen().width(), 4);
            QCOMPARE(lnSer2->color(), QColor(255, 0, 255));
            QCOMPARE(timeAxis(f.upper())->titleText(), QStringLiteral("年月日"));
            QCOMPARE(f.points(), kFirstGroup);

            // Both lists stand where the merge stopped, and their grids show it.
            QCOMPARE(f.dm->qf2->text(QStringLiteral("CNT")), QStringLiteral("5"));
            QCOMPARE(f.dm->qe2->text(QStringLiteral("CNT")), QStringLiteral("11"));
            QVERIFY(f.dm->qe2->eof());
            QCOMPARE(w.bdg->currentIndex().row(), f.dm->qf2->currentRow());
            QCOMPARE(w.adg->currentIndex().row(), f.dm->qe2->currentRow());
            f.click();
        }
        QVERIFY(f.boxes.errors.isEmpty());
    }

    void emptyShortNamesLeaveTheParenthesesEmpty()
    {
        Chart f(seed(QStringLiteral("NULL"), QStringLiteral("''")));
        f.click();
        QCOMPARE(f.upper()->title(), QStringLiteral("FX ()価格  下は経済指標() "));
        QCOMPARE(f.lower()->title(), QStringLiteral(" 下は経済指標() "));
    }

    // The titles name the lists' current rows; the points come from the
    // prices last loaded and from the indicator a118iidL shows.
    void listsMovedInTheirGrids()
    {
        Chart f;
        TVostrelF &w = *f.window;
        w.pc->setCurrentWidget(w.dts);
        for (auto [grid, row] : {std::pair{w.d1G, 1}, std::pair{w.d2G, 2}})
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                              grid->visualRect(grid->model()->index(row, 1)).center());
        QCOMPARE(f.dm->qf1->text(QStringLiteral("RYAK")), QStringLiteral("ユーロドル"));
        QCOMPARE(f.dm->qe1->text(QStringLiteral("RYAK")), QStringLiteral("ISM"));
        f.click();
        QCOMPARE(f.upper()->title(), QStringLiteral("FX (ユーロドル)価格  下は経済指標(ISM) "));
        QCOMPARE(w.a118iidL->text(), QStringLiteral("3"));
        QCOMPARE(f.points(), kFirstGroup);
    }

    void anIndicatorWithoutValuesGivesTitledEmptyCharts()
    {
        Chart f;
        TVostrelF &w = *f.window;
        w.a118iidL->setText(QStringLiteral("5"));
        f.click();
        QVERIFY(f.boxes.errors.isEmpty());
        QCOMPARE(f.lower()->title(), QStringLiteral(" 下は経済指標(雇用統計) "));
        QCOMPARE(f.points(), QStringList());
        QCOMPARE(f.upper()->series().size(), 1);
    }

    // An error ends the drawing in the general error box; what it made stays.
    void errorsKeepThePointsMade_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QStringList>("kept");
        QTest::addColumn<QString>("valueRow");
        QStringList noPrices = seed();
        noPrices.removeLast();
        QTest::newRow("no prices") << noPrices << "'// :' は日付または時刻ではありません" << QStringList() << "10";
        QStringList badClose = seed();
        badClose.last() = prices(1, 8, QStringLiteral("case i when 2 then '150.02' else 15000 + i end"));
        QTest::newRow("a close price with a point")
            << badClose << "'150.02' は整数ではありません" << kFirstGroup.mid(0, 2) << "11";
    }

    void errorsKeepThePointsMade()
    {
        QFETCH(QStringList, rows);
        QFETCH(QString, error);
        QFETCH(QStringList, kept);
        QFETCH(QString, valueRow);
        Chart f(rows);
        f.click();
        QCOMPARE(f.boxes.errors, QStringList{error});
        QCOMPARE(f.upper()->title(), QStringLiteral("FX (ドル円)価格  下は経済指標(雇用統計) "));
        QCOMPARE(f.points(), kept);
        QCOMPARE(f.dm->qe2->text(QStringLiteral("CNT")), valueRow);
    }

    // The time axis labels a few of the points' own texts; the wheel zooms
    // both charts' time axes together, a right click shows everything again,
    // and hovering shows a point's text and value.
    void zoomLabelsAndHover()
    {
        QStringList rows = seed();
        rows.last() = prices(1, 40);
        rows << QStringLiteral("insert into AINDX (CNT, IID, IXNM, DY, DM, DD, HH, HM, RV) values "
                               "(13, 3, '米国雇用統計', '2024', '05', '03', '22', '10', 999)");
        Chart f(rows);
        TVostrelF &w = *f.window;
        w.pc->setCurrentWidget(w.cts);
        w.resize(1000, 700);
        f.click();
        QTRY_VERIFY(f.upper()->plotArea().width() > 100);
        auto *lnSer1 = qobject_cast<QLineSeries *>(f.upper()->series().first());
        QCOMPARE(lnSer1->count(), 8); // 4 from 21:00 of 05/03, 4 from 22:00

        QCategoryAxis *upperTime = timeAxis(f.upper());
        QCategoryAxis *lowerTime = timeAxis(f.lower());
        const qreal first = lnSer1->at(0).x(), last = lnSer1->at(7).x();
        QCOMPARE(upperTime->min(), first);
        QCOMPARE(upperTime->max(), last);
        const QStringList labels = upperTime->categoriesLabels();
        QVERIFY(labels.size() >= 2 && labels.size() < 8);
        QCOMPARE(labels.first(), QStringLiteral("2024/05/03 21:00")); // the first of 8 points in the first stretch
        QVERIFY(labels.last() > QStringLiteral("2024/05/03 22:00"));

        const QPoint middle = w.c02cht->viewport()->rect().center();
        QWheelEvent wheel(middle, w.c02cht->viewport()->mapToGlobal(middle), {}, {0, 120}, Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(w.c02cht->viewport(), &wheel);
        QVERIFY(upperTime->max() - upperTime->min() < last - first);
        QCOMPARE(lowerTime->min(), upperTime->min());
        QCOMPARE(lowerTime->max(), upperTime->max());
        for (const QString &label : upperTime->categoriesLabels())
            QVERIFY(label > QStringLiteral("2024/05/03 21:00") && label < QStringLiteral("2024/05/03 22:45")); // zoomed in about the middle

        QTest::mouseClick(w.c03cht->viewport(), Qt::RightButton, {}, middle);
        QCOMPARE(upperTime->min(), first);
        QCOMPARE(lowerTime->max(), last);

        emit lnSer1->hovered(QPointF(lnSer1->at(5).x() + 60 * 1000, 0), true);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("2024/05/03 22:15  15005"));
        auto *lnSer2 = qobject_cast<QLineSeries *>(f.lower()->series().first());
        emit lnSer2->hovered(QPointF(lnSer2->at(5).x(), 0), true);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("2024/05/03 22:15  999"));
    }
};

KEIZAI_TEST_MAIN(TestChart)
#include "tst_chart.moc"
