// The reaction table over 1,000,000 price rows of one instrument and 10,000
// releases of one indicator, three horizons: how long matching and
// summarizing take, and how long the click on "反応表(&T)" takes until the
// dialog is shown and painted, beside a plain scan of the same price rows
// with SQLite's C interface, measured in the same run.
//
//   bench_reaction [price rows] [releases]   (default 1000000 10000; offscreen)
#include "ChartPage.h"
#include "WorkingFolder.h"
#include "app/Application.h"
#include "app/VostrelF.h"
#include "fx/ReactionDialog.h"
#include "fx/ReactionMatch.h"
#include "fx/ReactionSource.h"
#include "fx/ReactionSummary.h"
#include "store/Boxes.h"
#include "store/Tdm.h"
#include <QElapsedTimer>
#include <QPushButton>
#include <QScatterSeries>
#include <QTabWidget>
#include <QTemporaryDir>
#include <sqlite3.h>
#include <cstdio>
#include <ctime>

namespace {

struct Figures {
    qint64 ms;
    qint64 cpuMs; // processor time of this process: less moved by other work on the machine
};

template <typename Step>
Figures measure(Step step)
{
    QElapsedTimer clock;
    clock.start();
    const std::clock_t cpu = std::clock();
    step();
    return {clock.elapsed(), qint64(std::clock() - cpu) * 1000 / CLOCKS_PER_SEC};
}

// The reference: every price row of the instrument stepped once, its stamp
// and close read as texts.
qint64 scan(sqlite3 *db)
{
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db, "select DYL, DML, DDL, HHL, HML, CV from AFX where FID = 1", -1, &stmt, nullptr);
    qint64 bytes = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW)
        for (int c = 0; c < 6; ++c) {
            sqlite3_column_text(stmt, c);
            bytes += sqlite3_column_bytes(stmt, c);
        }
    sqlite3_finalize(stmt);
    return bytes;
}

// A goal of 0: none.
void print(const char *what, const Figures &ours, const Figures &reference, qint64 goalMs)
{
    if (goalMs > 0)
        std::printf("%s (goal %lld ms)\n", what, static_cast<long long>(goalMs));
    else
        std::printf("%s\n", what);
    std::printf("  time: %6lld ms   reference %6lld ms   ratio %.2f\n", static_cast<long long>(ours.ms),
                static_cast<long long>(reference.ms), reference.ms ? double(ours.ms) / double(reference.ms) : 0.0);
    std::printf("  cpu:  %6lld ms   reference %6lld ms   ratio %.2f\n", static_cast<long long>(ours.cpuMs),
                static_cast<long long>(reference.cpuMs),
                reference.cpuMs ? double(ours.cpuMs) / double(reference.cpuMs) : 0.0);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    Application app(argc, argv);
    const int prices = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 1000000;
    const int releases = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 10000;
    PrintedBoxes boxes;
    Boxes::install(&boxes);

    QTemporaryDir folder;
    prepareWorkingFolder(folder);
    {
        Tdm setup;
        setup.csq.open(QStringLiteral("SQDB.DB"));
        fillChartData(setup, prices, releases);
    }

    Tdm dm;
    TVostrelF w;
    showChartPage(w, dm);
    std::printf("%d price rows, %d releases, horizons 1h,4h,24h\n", prices, releases);

    qint64 scanned = 0;
    const Figures reference = measure([&] { scanned = scan(dm.csq.handle()); });

    // The computing alone, on rows read before.
    std::vector<Reaction::PriceBar> bars;
    const Figures reading = measure([&] {
        bars = Reaction::readPrices(dm.csq, QStringLiteral(" select DYL, DML, DDL, HHL, HML, CV from AFX where FID = 1"));
    });
    std::vector<Reaction::Release> values = Reaction::readReleases(dm.csq, QStringLiteral(" select * from AINDX where IID = 3"));
    const std::vector<Reaction::Horizon> horizons = {{60, QStringLiteral("1h")}, {240, QStringLiteral("4h")},
                                                     {1440, QStringLiteral("24h")}};
    std::vector<Reaction::Row> rows;
    QString summary;
    const Figures computing = measure([&] {
        Reaction::sortByTime(bars);
        Reaction::sortByTime(values);
        rows = Reaction::match(bars, values, horizons, 0);
        summary = Reaction::summaryText(rows, horizons);
    });

    // The click: the dialog made, both selects read, the rows matched, the dialog shown and painted.
    const Figures opening = measure([&] {
        w.c13rtB->click();
        if (ReactionDialog *d = w.findChild<ReactionDialog *>())
            d->grab();
    });
    // Again, on the dialog made before.
    const Figures again = measure([&] {
        w.c13rtB->click();
        if (ReactionDialog *d = w.findChild<ReactionDialog *>())
            d->grab();
    });
    const ReactionDialog *d = w.findChild<ReactionDialog *>();
    std::printf("rows: %zu; scatter points: %d; scanned %lld bytes\nsummary: %s\n", d ? d->rows().size() : size_t(0),
                d ? int(d->t06ser->count()) : 0, static_cast<long long>(scanned), qPrintable(summary));

    print("matching and summarizing, the rows read before, beside a plain SQLite scan of the price rows:", computing,
          reference, 300);
    print("reading the price rows (part of the click), beside the same scan:", reading, reference, 0);
    print("click on \"反応表(&T)\" until the dialog is painted, beside the same scan:", opening, reference, 500);
    print("the click again, on the dialog open, beside the same scan:", again, reference, 0);

    dm.csq.close(); // closes every query before the folder goes
    return 0;
}
