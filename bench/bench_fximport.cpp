// bench_fximport [LINES]
//
// The FX price import against the sqlite3 shell's .import, on the same lines
// and the same connection settings, in one run: LINES price lines (default
// 1,000,000) over two instruments, with dates with "/", prices with a point
// and a second stamp. Prints both times and their ratio, the import's peak
// memory, and how long a step in b103fnE to an instrument with LINES / 2
// prices takes to show its first rows, with the program's index on AFX and
// without it.
#include "app/Application.h"
#include "app/VostrelF.h"
#include "store/Boxes.h"
#include "store/StandardDictionary.h"
#include "store/Tdm.h"
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

struct YesBoxes : Boxes {
    void message(const QString &text) override { std::printf("  box: %s\n", qPrintable(text)); }
    bool confirmYesNo(const QString &) override { return true; }
    bool confirmOkCancel(const QString &) override { return true; }
    void error(const QString &text) override { std::printf("  error: %s\n", qPrintable(text)); }
};

const char *const kSettings =
    "PRAGMA encoding = 'UTF-8';\nPRAGMA cache_size = 10000;\nPRAGMA locking_mode = EXCLUSIVE;\n"
    "PRAGMA synchronous = OFF;\nPRAGMA journal_mode = DELETE;\nPRAGMA foreign_keys = ON;\n";

// Fifteen-minute bars from 2015 on, as a broker writes them.
void writePriceFile(const QString &path, int lines, double level)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    QDateTime t(QDate(2015, 1, 1), QTime(0, 0), Qt::UTC);
    QByteArray out;
    for (int k = 0; k < lines; ++k) {
        const QDate d = t.date();
        const QTime h = t.time();
        const double o = level + (k % 977) * 0.001;
        out += QStringLiteral("%1/%2/%3,%4:%5,%6,%7,%8,%9,%10,%11\r\n")
                   .arg(d.year()).arg(d.month(), 2, 10, QLatin1Char('0')).arg(d.day(), 2, 10, QLatin1Char('0'))
                   .arg(h.hour()).arg(h.minute(), 2, 10, QLatin1Char('0'))
                   .arg(o, 0, 'f', 3).arg(o + 0.05, 0, 'f', 3).arg(o - 0.05, 0, 'f', 3).arg(o + 0.01, 0, 'f', 3)
                   .arg(d.toString(QStringLiteral("yyyy-MM-dd")), h.toString(QStringLiteral("HH:mm")))
                   .toLatin1();
        if (out.size() > (1 << 20)) {
            file.write(out);
            out.clear();
        }
        t = t.addSecs(900);
    }
    file.write(out);
}

// A field of /proc/self/status in kB: "VmHWM:" (peak) or "VmRSS:" (now).
long statusKilobytes(const std::string &field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(field.size()));
    return -1;
}

void resetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

double shellImport(const QString &folder, const QStringList &files)
{
    QString script = QString::fromLatin1(kSettings) + QStringLiteral("create table plain (a, b, c, d, e, f, g, h);\n");
    for (const QString &f : files)
        script += QStringLiteral(".import --csv '%1' plain\n").arg(f);
    QProcess shell;
    QElapsedTimer timer;
    timer.start();
    shell.start(QStringLiteral("sqlite3"), {folder + QStringLiteral("/shell.db")});
    shell.write(script.toUtf8());
    shell.closeWriteChannel();
    if (!shell.waitForFinished(-1) || shell.exitCode() != 0)
        qFatal("sqlite3 failed: %s", shell.readAllStandardError().constData());
    return timer.elapsed() / 1000.0;
}

double stepTime(TVostrelF &w)
{
    QElapsedTimer timer;
    timer.start();
    int key = Qt::Key_Up;
    w.b103fnEKeyDown(w.b103fnE, key, Qt::NoModifier);
    return timer.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char *argv[])
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    const int lines = argc > 1 ? std::atoi(argv[1]) : 1000000;
    YesBoxes boxes;
    Boxes::install(&boxes);

    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    const QString folder = dir.path() + QStringLiteral("/FXﾃﾞｰﾀ/CSV");
    QDir().mkpath(folder);
    const QStringList files{folder + QStringLiteral("/USDJPY.CSV"), folder + QStringLiteral("/EURJPY.CSV")};
    writePriceFile(files[0], lines / 2, 130.0);
    writePriceFile(files[1], lines - lines / 2, 150.0);
    std::printf("%d price lines, %.1f MB in two files\n", lines,
                (QFile(files[0]).size() + QFile(files[1]).size()) / 1e6);

    const double shell = shellImport(dir.path(), files);
    std::printf("sqlite3 shell .import:  %.2f s\n", shell);

    StandardDictionary::createFile(dir.filePath(QStringLiteral("SQDB.DB")));
    {
        Tdm setup;
        StoreRoutines r;
        r.setDataModule(&setup);
        r.uqCtbl(4);
        r.uqCtbl(1);
        setup.csq.execute(QStringLiteral("insert into AAFXL (CNT, FID, FXNM, RYAK, CSVNM) values "
                                         "(1, 1, '米ドル/円', 'ドル円', 'USDJPY'), (2, 2, 'ユーロ/円', 'ユーロ円', 'EURJPY')"));
    }
    TVostrelF w;
    Tdm dm;
    w.setDataModule(&dm);
    w.show();
    w.FormActivate(&w);

    const long before = statusKilobytes("VmRSS:");
    resetPeak();
    QElapsedTimer timer;
    timer.start();
    w.uqCsv(3);
    const double ours = timer.elapsed() / 1000.0;
    const long peak = statusKilobytes("VmHWM:");
    std::printf("our import (uqCsv(3)):  %.2f s, ratio %.2f (goal 1.5 or less)\n", ours, ours / shell);
    std::printf("peak memory of the import: %.0f MB above the %.0f MB before it (%.0f MB in all)\n",
                (peak - before) / 1024.0, before / 1024.0, peak / 1024.0);

    // The list stands on the first instrument; Up steps to the second and
    // the next Up back to the first.
    const double indexed = stepTime(w);
    std::printf("step to an instrument with %d prices, first rows shown: %.3f s with the index\n",
                lines - lines / 2, indexed);
    dm.qf2->close();
    dm.csq.execute(QStringLiteral("drop index AFX_FID_DATE"));
    const double sorted = stepTime(w);
    std::printf("                                                       %.3f s without it (sorting)\n", sorted);
    Boxes::install(nullptr);
    return 0;
}
