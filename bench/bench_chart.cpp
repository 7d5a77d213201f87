// The chart over 1,000,000 price rows of one instrument and 10,000 releases
// of one indicator: how long the click on "ｸﾞﾗﾌ表示" takes to draw both charts
// and how much memory it needs at most, beside reading every price row
// through the price grid's query, measured in the same run.
//
//   bench_chart [price rows] [releases]   (default 1000000 10000; offscreen)
#include "app/Application.h"
#include "app/VostrelF.h"
#include "store/Boxes.h"
#include "ChartPage.h"
#include "WorkingFolder.h"
#include "store/Tdm.h"
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineSeries>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>

namespace {

// A figure of /proc/self/status in MB: VmRSS now, VmHWM the peak.
double memoryMb(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qsizetype(qstrlen(key))).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

// Starts a new peak at the memory in use now.
void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

struct Figures {
    qint64 ms;
    qint64 cpuMs;  // processor time of this process: less moved by other work on the machine
    double peakMb; // the peak during the step, above the memory in use before it
};

template <typename Step>
Figures measure(Step step)
{
    resetPeak();
    const double before = memoryMb("VmRSS:");
    QElapsedTimer clock;
    clock.start();
    const std::clock_t cpu = std::clock();
    step();
    const qint64 cpuMs = qint64(std::clock() - cpu) * 1000 / CLOCKS_PER_SEC;
    return {clock.elapsed(), cpuMs, memoryMb("VmHWM:") - before};
}

void print(const char *what, const Figures &ours, const Figures &reference)
{
    std::printf("%s\n", what);
    std::printf("  time:   %7lld ms   reference %7lld ms   ratio %.2f\n", static_cast<long long>(ours.ms),
                static_cast<long long>(reference.ms), reference.ms ? double(ours.ms) / double(reference.ms) : 0.0);
    std::printf("  cpu:    %7lld ms   reference %7lld ms   ratio %.2f\n", static_cast<long long>(ours.cpuMs),
                static_cast<long long>(reference.cpuMs),
                reference.cpuMs ? double(ours.cpuMs) / double(reference.cpuMs) : 0.0);
    std::printf("  memory: %7.1f MB   reference %7.1f MB   ratio %.2f   (peak above the memory in use before)\n",
                ours.peakMb, reference.peakMb, reference.peakMb > 0 ? ours.peakMb / reference.peakMb : 0.0);
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
    std::printf("%d price rows, %d releases; memory in use before: %.1f MB\n", prices, releases, memoryMb("VmRSS:"));

    // The price page opens the prices (at the first activation, and for
    // every instrument chosen), before the click: SQLite sorts them there.
    const Figures open = measure([&] { w.udb(1); });
    std::printf("opening the prices (not part of the click): %lld ms, %.1f MB\n", static_cast<long long>(open.ms),
                open.peakMb);

    // Ours: the click, with both charts painted.
    const Figures click = measure([&] {
        w.c11gpB->click();
        w.c02cht->grab();
        w.c03cht->grab();
    });
    const auto *drawn = qobject_cast<QLineSeries *>(w.c02cht->chart()->series().value(0));
    std::printf("points drawn: %lld; the price list stands on row %s\n",
                static_cast<long long>(drawn ? drawn->count() : 0),
                qPrintable(dm.qf2->text(QStringLiteral("CNT"))));

    // The reference: every price row read through the price grid's query.
    w.udb(1);
    const Figures reference = measure([&] { dm.qf2->last(); });
    print("click on \"ｸﾞﾗﾌ表示\" (both charts drawn and painted), beside reading every price row "
          "through the price grid's query:",
          click, reference);

    dm.csq.close(); // closes every query before the folder goes
    return 0;
}
