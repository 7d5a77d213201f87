// The window on its chart page, and the chart page's data for the benchmarks.
#pragma once
#include "app/VostrelF.h"
#include "store/Boxes.h"
#include "store/Tdm.h"
#include <QCoreApplication>
#include <QTabWidget>
#include <cstdio>

// The window over the working folder, bound to dm, shown, activated (the
// first activation runs) and on its chart page.
inline void showChartPage(TVostrelF &w, Tdm &dm)
{
    w.bindDataModule(&dm);
    w.resize(1000, 700);
    w.show();
    w.activateWindow();
    QCoreApplication::processEvents();
    w.pc->setCurrentWidget(w.cts);
    QCoreApplication::processEvents();
}

// Errors are printed, not shown in a box.
class PrintedBoxes : public Boxes {
public:
    void message(const QString &text) override { std::printf("message: %s\n", qPrintable(text)); }
    bool confirmYesNo(const QString &) override { return true; }
    bool confirmOkCancel(const QString &) override { return true; }
    void error(const QString &text) override { std::printf("error: %s\n", qPrintable(text)); }
};

// One-minute bars from 2000/01/01 00:00 with a one-digit day as the import
// stores it and close prices that wander, and a release every so many
// minutes over the same time, with surprises of both signs.
inline void fillChartData(Tdm &dm, int prices, int releases)
{
    dm.csq.execute(QStringLiteral("begin"));
    dm.csq.execute(QStringLiteral("insert into AAFXL (CNT, FID, FXNM, RYAK, CSVNM) values (1, 1, 'USDJPY', 'ドル円', 'USDJPY')"));
    dm.csq.execute(QStringLiteral("insert into AAEIL (CNT, IID, IXNM, URL, RYAK, CSVNM) values (1, 3, '米国雇用統計', '', '雇用統計', 'USNFP')"));
    dm.csq.execute(QStringLiteral(
        "with recursive n(i) as (select 0 union all select i + 1 from n where i < %1), "
        "t(i, d) as (select i, datetime('2000-01-01', '+' || i || ' minutes') from n) "
        "insert into AFX (CNT, FID, FXNM, DYL, DML, DDL, HHL, HML, OV, HV, LV, CV, DYR, DMR, DDR, HHR, HMR) "
        "select i + 1, 1, 'USDJPY', strftime('%Y', d), strftime('%m', d), cast(strftime('%d', d) as integer), "
        "strftime('%H', d), strftime('%M', d), 14000 + i % 500, 14100 + i % 500, 13900 + i % 500, 14050 + (i * 7919) % 997, "
        "strftime('%Y', d), strftime('%m', d), strftime('%d', d), strftime('%H', d), strftime('%M', d) from t")
        .arg(prices - 1));
    dm.csq.execute(QStringLiteral(
        "with recursive n(i) as (select 0 union all select i + 1 from n where i < %1), "
        "t(i, d) as (select i, datetime('2000-01-01', '+' || (i * %2 + 30) || ' minutes') from n) "
        "insert into AINDX (CNT, IID, IXNM, DY, DM, DD, HH, HM, RV, EV, CV) "
        "select i + 1, 3, '米国雇用統計', strftime('%Y', d), strftime('%m', d), strftime('%d', d), "
        "strftime('%H', d), strftime('%M', d), 100 + i % 37, 118, 100 from t")
        .arg(releases - 1)
        .arg(qMax(1, prices / releases)));
    dm.csq.execute(QStringLiteral("commit"));
}
