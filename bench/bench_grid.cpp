// The price grid over 1,000,000 price rows of one instrument: how long the
// query takes to open, the grid to show its first rows, scrolling to read
// more, and reading to the end.
//
//   bench_grid [rows]      (default 1000000; offscreen unless a platform is set)
#include "app/Application.h"
#include "app/DataGrid.h"
#include "WorkingFolder.h"
#include "store/StoreRoutines.h"
#include "store/Tdm.h"
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <cstdio>

namespace {

QElapsedTimer clock_;

void report(const char *what, qint64 ms, const QString &more = QString())
{
    std::printf("%-44s %8lld ms  %s\n", what, static_cast<long long>(ms), qPrintable(more));
    std::fflush(stdout);
}

qint64 lap()
{
    const qint64 ms = clock_.elapsed();
    clock_.restart();
    return ms;
}

QString residentMemory()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return QString();
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return QString::fromLatin1(line.mid(6).trimmed());
    return QString();
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    const int rows = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 1000000;

    QTemporaryDir folder;
    prepareWorkingFolder(folder);

    Tdm dm;
    StoreRoutines store;
    store.setDataModule(&dm);
    store.uqCtbl(4);

    // One minute per row, as an FX price file of one-minute bars.
    clock_.start();
    dm.csq.execute(QStringLiteral("begin"));
    dm.csq.execute(QStringLiteral(
        "with recursive n(i) as (select 0 union all select i + 1 from n where i < %1) "
        "insert into AFX (CNT, FID, FXNM, DYL, DML, DDL, HHL, HML, OV, HV, LV, CV, DYR, DMR, DDR, HHR, HMR) "
        "select i + 1, 1, 'USDJPY', cast(2000 + i / 483840 as text), printf('%02d', 1 + (i / 40320) % 12), "
        "printf('%02d', 1 + (i / 1440) % 28), printf('%02d', (i / 60) % 24), printf('%02d', i % 60), "
        "14000 + i % 500, 14100 + i % 500, 13900 + i % 500, 14050 + i % 500, "
        "cast(2000 + i / 483840 as text), printf('%02d', 1 + (i / 40320) % 12), "
        "printf('%02d', 1 + (i / 1440) % 28), printf('%02d', (i / 60) % 24), printf('%02d', i % 60) "
        "from n").arg(rows - 1));
    dm.csq.execute(QStringLiteral("commit"));
    report("fill AFX", lap(), QStringLiteral("%1 rows").arg(rows));

    QWidget window;
    window.resize(640, 420);
    DataGrid bdg(QStringLiteral("bdg"), &window);
    bdg.setGeometry(10, 10, 624, 393);
    bdg.setDataSource(dm.dsf2);
    window.show();
    QCoreApplication::processEvents();
    lap();

    // As the price loading does: the instrument's rows in time order.
    store.stnm = QStringLiteral("AFX");
    store.swh = QStringLiteral(" where FID = 1 order by DYL, DML, DDL, HHL, HML ");
    store.ucSql(1);
    dm.qf2->setSql(store.sqw);
    dm.qf2->open();
    store.applyDisplayWidths(*dm.qf2);
    report("open qf2 (sorts in SQLite, reads first rows)", lap(),
           QStringLiteral("%1 rows read").arg(dm.qf2->rowCount()));

    bdg.grab(); // paint the first screen
    QCoreApplication::processEvents();
    report("bdg shows its first rows", lap(),
           QStringLiteral("%1 rows in the grid, RSS %2").arg(bdg.model()->rowCount()).arg(residentMemory()));

    QScrollBar *bar = bdg.verticalScrollBar();
    for (int i = 0; i < 40; ++i) {
        bar->setValue(bar->maximum());
        QCoreApplication::processEvents();
    }
    report("scroll to the bottom 40 times", lap(), QStringLiteral("%1 rows read").arg(dm.qf2->rowCount()));

    bdg.setFocus();
    for (int i = 0; i < 100; ++i) {
        QKeyEvent down(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
        QCoreApplication::sendEvent(&bdg, &down);
    }
    report("100 page-downs in the grid", lap(), QStringLiteral("current row %1").arg(dm.qf2->currentRow()));

    QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
    QCoreApplication::sendEvent(&bdg, &end);
    bdg.grab();
    report("Ctrl+End: read every row, show the last", lap(),
           QStringLiteral("%1 rows, RSS %2").arg(dm.qf2->rowCount()).arg(residentMemory()));

    dm.csq.close(); // closes every query before the folder goes
    return 0;
}
