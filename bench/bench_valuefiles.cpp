// The value files: 100,000 releases over 20 indicators, written all and read
// all back through uqCsv on the window, with each direction's time and peak
// memory beside the goal of one second.
//
//   bench_valuefiles [releases] [indicators]   (default 100000 20; offscreen unless a platform is set)
#include "app/Application.h"
#include "app/VostrelF.h"
#include "store/StandardDictionary.h"
#include "store/Tdm.h"
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>
#include <functional>

namespace {

constexpr double kGoalMs = 1000.0;

// A field of /proc/self/status, in kB.
QString status(const char *field)
{
    QFile file(QStringLiteral("/proc/self/status"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    for (const QByteArray &line : file.readAll().split('\n'))
        if (line.startsWith(field))
            return QString::fromLatin1(line.mid(int(qstrlen(field))).trimmed());
    return QString();
}

// The peak resident size starts again from the present one.
void resetPeakMemory()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// The processor time of this process: on a shared machine, the part of the
// time that is ours.
double cpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
}

void timed(const char *what, const std::function<void()> &run)
{
    resetPeakMemory();
    const QString before = status("VmRSS:");
    const double cpuBefore = cpuMs();
    QElapsedTimer clock;
    clock.start();
    run();
    const qint64 ms = clock.elapsed();
    const double cpu = cpuMs() - cpuBefore;
    std::printf("%-32s %6lld ms (CPU %6.0f ms)  goal %4.0f ms  ratio %.2f (CPU %.2f)  peak RSS %s (before %s)\n",
                what, static_cast<long long>(ms), cpu, kGoalMs, double(ms) / kGoalMs, cpu / kGoalMs,
                qPrintable(status("VmHWM:")), qPrintable(before));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    const int releases = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    const int indicators = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 20;

    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    StandardDictionary::createFile(QDir(folder.path()).filePath(QStringLiteral("SQDB.DB")));

    TVostrelF window;
    Tdm dm;
    window.bindDataModule(&dm);
    window.uqCtbl(4);
    window.uqCtbl(1);
    dm.csq.execute(QStringLiteral("begin"));
    dm.csq.execute(QStringLiteral(
        "with recursive n(i) as (select 1 union all select i + 1 from n where i < %1) "
        "insert into AAEIL (CNT, IID, IXNM, RYAK, CSVNM) select i, 100 + i, '指標' || i, 'ｼﾋｮｳ' || i, 'IND' || i from n")
                       .arg(indicators));
    // Ids from 101: none is 9, so every file written is also read.
    // Releases spread over the indicators, a remark on every tenth.
    dm.csq.execute(QStringLiteral(
        "with recursive n(i) as (select 0 union all select i + 1 from n where i < %1) "
        "insert into AINDX (CNT, IID, IXNM, DY, DM, DD, HH, HM, RV, EV, CV, TYO) "
        "select i + 1, 101 + i % %2, '指標' || (1 + i % %2), cast(1990 + i / 3000 as text), "
        "printf('%02d', 1 + (i / 250) % 12), printf('%02d', 1 + (i / 8) % 28), printf('%02d', (i / 2) % 24), "
        "printf('%02d', (i * 7) % 60), i % 1000 - 500, i % 900, case when i % 3 = 0 then i % 77 end, "
        "case when i % 10 = 0 then '改定 ﾒﾓ ' || i end from n")
                       .arg(releases - 1)
                       .arg(indicators));
    dm.csq.execute(QStringLiteral("commit"));
    window.uqe1(1);
    window.a118iidL->setText(QStringLiteral("101"));
    window.uqe2(1);
    std::printf("%d releases over %d indicators\n", releases, indicators);

    timed("write all value files (uqCsv 1)", [&] { window.uqCsv(1); });
    qint64 bytes = 0;
    for (const QFileInfo &file : QDir(QStringLiteral("経済指標/CSV")).entryInfoList(QDir::Files))
        bytes += file.size();
    std::printf("%-34s %lld bytes\n", "  files written", static_cast<long long>(bytes));

    timed("read all value files (uqCsv 2)", [&] { window.uqCsv(2); });
    Dataset count(dm.csq, QStringLiteral("count"));
    count.setSql(QStringLiteral("select count(*) from AINDX"));
    count.open();
    std::printf("%-34s %s rows\n", "  rows read back", qPrintable(count.text(0)));
    count.close();

    dm.csq.close(); // closes every query before the folder goes
    return 0;
}
