// bench_fximport [LINES]
//
// The FX price import against the sqlite3 shell's .import, on the same lines
// and the same connection settings, in one run: LINES price lines (default
// 1,000,000) over two instruments, with dates with "/", prices with a point
// and a second stamp. Prints both times and their ratio, the import's peak
// memory, then the import of the same bars in each file form that is read
// (exchange/PriceForm.h) with its ratio to the same shell time, and how
// long a step in b103fnE to an instrument with LINES / 2 prices takes to show
// its first rows, with the program's index on AFX and without it.
#include "app/Application.h"
#include "app/VostrelF.h"
#include "exchange/AnsiCodePage.h"
#include "exchange/PriceForm.h"
#include "store/Boxes.h"
#include "store/StandardDictionary.h"
#include "store/Tdm.h"
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>
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

// One line of a bar in a file form, as the program that writes that form
// writes it; the own form with its second stamp.
QString priceLine(PriceForm::Form form, const QDateTime &t, const QStringList &prices)
{
    using PriceForm::Form;
    switch (form) {
    case Form::Slashed:
        return t.toString(QStringLiteral("yyyy/MM/dd,H:mm,")) + prices.join(QLatin1Char(','))
               + t.toString(QStringLiteral(",yyyy-MM-dd,HH:mm"));
    case Form::Dotted: return t.toString(QStringLiteral("yyyy.MM.dd,HH:mm,")) + prices.join(QLatin1Char(',')) + QStringLiteral(",8");
    case Form::Iso:
        return t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss,")) + prices.join(QLatin1Char(',')) + QStringLiteral(",4858,24,0");
    case Form::Tabbed:
        return t.toString(QStringLiteral("yyyy.MM.dd\tHH:mm:ss\t")) + prices.join(QLatin1Char('\t'))
               + QStringLiteral("\t4858\t0\t24");
    case Form::Compact:
        return t.toString(QStringLiteral("yyyyMMdd HHmmss;")) + prices.join(QLatin1Char(';')) + QStringLiteral(";0");
    case Form::Japanese: return t.toString(QStringLiteral("yyyy/MM/dd HH:mm,")) + prices.join(QLatin1Char(','));
    }
    Q_UNREACHABLE();
}

QString header(PriceForm::Form form)
{
    switch (form) {
    case PriceForm::Form::Iso: return QStringLiteral("Time,Open,High,Low,Close,Tick_Volume,Spread,Real_Volume");
    case PriceForm::Form::Tabbed: return QStringLiteral("<DATE>\t<TIME>\t<OPEN>\t<HIGH>\t<LOW>\t<CLOSE>\t<TICKVOL>\t<VOL>\t<SPREAD>");
    case PriceForm::Form::Japanese: return QStringLiteral("日時,始値,高値,安値,終値");
    default: return QString();
    }
}

// The bytes of a piece of a file in the encoding its writers use: UTF-16 with
// its mark for the tab-separated export, code page 932 for the Japanese one.
QByteArray encoded(PriceForm::Form form, const QString &text, bool first)
{
    if (form == PriceForm::Form::Tabbed) {
        QStringEncoder encoder(QStringConverter::Utf16LE,
                               first ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default);
        return encoder.encode(text);
    }
    if (form == PriceForm::Form::Japanese)
        return AnsiCodePage::encode(text).value();
    return text.toLatin1();
}

// Fifteen-minute bars from 2015 on, in the file form given.
void writePriceFile(const QString &path, int lines, double level, PriceForm::Form form = PriceForm::Form::Slashed)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    QDateTime t(QDate(2015, 1, 1), QTime(0, 0), Qt::UTC);
    QString out;
    if (!header(form).isEmpty())
        out += header(form) + QStringLiteral("\r\n");
    bool first = true;
    for (int k = 0; k < lines; ++k) {
        const double o = level + (k % 977) * 0.001;
        const QStringList prices{QString::number(o, 'f', 3), QString::number(o + 0.05, 'f', 3),
                                 QString::number(o - 0.05, 'f', 3), QString::number(o + 0.01, 'f', 3)};
        out += priceLine(form, t, prices) + QStringLiteral("\r\n");
        if (out.size() > (1 << 20)) {
            file.write(encoded(form, out, first));
            first = false;
            out.clear();
        }
        t = t.addSecs(900);
    }
    file.write(encoded(form, out, first));
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

// Wall and processor time; the processor time is less moved by other work
// on the machine.
struct Timing {
    double wall;
    double cpu;
};

double childrenCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

Timing shellImport(const QString &folder, const QStringList &files)
{
    QString script = QString::fromLatin1(kSettings) + QStringLiteral("create table plain (a, b, c, d, e, f, g, h);\n");
    for (const QString &f : files)
        script += QStringLiteral(".import --csv '%1' plain\n").arg(f);
    QProcess shell;
    const double cpuBefore = childrenCpuSeconds();
    QElapsedTimer timer;
    timer.start();
    shell.start(QStringLiteral("sqlite3"), {folder + QStringLiteral("/shell.db")});
    shell.write(script.toUtf8());
    shell.closeWriteChannel();
    if (!shell.waitForFinished(-1) || shell.exitCode() != 0)
        qFatal("sqlite3 failed: %s", shell.readAllStandardError().constData());
    return {timer.elapsed() / 1000.0, childrenCpuSeconds() - cpuBefore};
}

// One reading of every FX price file.
Timing ourImport(TVostrelF &w)
{
    const std::clock_t cpu = std::clock();
    QElapsedTimer timer;
    timer.start();
    w.uqCsv(3);
    return {timer.elapsed() / 1000.0, double(std::clock() - cpu) / CLOCKS_PER_SEC};
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

    const Timing shell = shellImport(dir.path(), files);
    std::printf("sqlite3 shell .import:  %.2f s (processor %.2f s)\n", shell.wall, shell.cpu);

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
    w.bindDataModule(&dm);
    w.show();
    w.FormActivate(&w);

    const long before = statusKilobytes("VmRSS:");
    resetPeak();
    const Timing ours = ourImport(w);
    const long peak = statusKilobytes("VmHWM:");
    std::printf("our import (uqCsv(3)):  %.2f s, ratio %.2f (goal 1.5 or less); processor %.2f s, ratio %.2f\n",
                ours.wall, ours.wall / shell.wall, ours.cpu, ours.cpu / shell.cpu);
    std::printf("peak memory of the import: %.0f MB above the %.0f MB before it (%.0f MB in all)\n",
                (peak - before) / 1024.0, before / 1024.0, peak / 1024.0);

    // The same bars in every form, each read over the rows of the reading
    // before as a user's second reading is, against the same shell time.
    using PriceForm::Form;
    std::printf("each form, read again over the rows of the reading before:\n");
    for (Form form : {Form::Slashed, Form::Dotted, Form::Iso, Form::Tabbed, Form::Compact, Form::Japanese}) {
        writePriceFile(files[0], lines / 2, 130.0, form);
        writePriceFile(files[1], lines - lines / 2, 150.0, form);
        const double size = (QFile(files[0]).size() + QFile(files[1]).size()) / 1e6;
        const Timing t = ourImport(w);
        std::printf("  %s, %.1f MB: %.2f s, ratio %.2f; processor %.2f s, ratio %.2f\n",
                    qPrintable(PriceForm::name(form)), size, t.wall, t.wall / shell.wall, t.cpu, t.cpu / shell.cpu);
    }

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
