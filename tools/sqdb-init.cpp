// sqdb-init FOLDER [--sample]
//
// Makes FOLDER (with its missing parents) and a new FOLDER/SQDB.DB that holds
// the data dictionary and nothing else: the program's table check creates the
// data tables at its first start. An existing SQDB.DB is never touched.
//
// With --sample it also creates the data tables, fills them with a few
// economic indicators of 2024 and their releases, two FX instruments and two
// browsers, and writes one FX price file per instrument under
// FOLDER/FXﾃﾞｰﾀ/CSV, in code page 932 with CR LF line ends, with 15-minute
// bars around every release, ready for the program's CSV import.

#include "store/Dataset.h"
#include "store/Errors.h"
#include "store/StandardDictionary.h"
#include "store/StoreRoutines.h"
#include "store/Tdm.h"
#include "store/TerminalLine.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <vector>

namespace {

// ---------------------------------------------------------------- sample data

// Regions of the indicators and of the FX instruments' base currencies; a
// surprise in a release moves the price of an instrument whose base currency
// is of the same region, and the other way for Japan (the quote currency).
enum Region { US, JP, EU };

struct Indicator {
    int cnt;
    int iid;
    const char *name;   // IXNM
    const char *site;   // SYT
    const char *url;    // URL
    const char *shortName; // RYAK
    const char *csvName;   // CSVNM
    const char *remark; // TYO: how the value is written as a whole number
    Region region;
};

// IID 9, the release calendar, opens its web page directly in the program;
// it has no releases, is not written to a value file and, named "CLN", not
// read from one. ユーロ圏HICP (IID 7) has no releases yet.
const Indicator kIndicators[] = {
    {1, 1, "米国雇用統計(非農業部門雇用者数)", "米国労働統計局(BLS)",
     "https://www.bls.gov/news.release/empsit.nr0.htm", "米雇用統計", "USNFP", "前月比 千人", US},
    {2, 2, "米消費者物価指数(前年比)", "米国労働統計局(BLS)",
     "https://www.bls.gov/news.release/cpi.nr0.htm", "米CPI", "USCPI", "%を10倍", US},
    {3, 3, "米GDP速報値(前期比年率)", "米国経済分析局(BEA)",
     "https://www.bea.gov/data/gdp/gross-domestic-product", "米GDP", "USGDP", "%を10倍", US},
    {4, 4, "ISM製造業景況指数", "米サプライマネジメント協会(ISM)",
     "https://www.ismworld.org/supply-management-news-and-reports/reports/ism-report-on-business/",
     "ISM製造業", "ISMMFG", "指数を10倍", US},
    {5, 5, "日銀短観(大企業製造業業況判断DI)", "日本銀行",
     "https://www.boj.or.jp/statistics/tk/index.htm", "日銀短観", "TANKAN", "DI(%ポイント)", JP},
    {6, 6, "全国消費者物価指数(生鮮食品除く総合)", "総務省統計局",
     "https://www.stat.go.jp/data/cpi/index.html", "全国CPI", "JPCPI", "前年比%を10倍", JP},
    {7, 7, "ユーロ圏HICP(速報値・前年比)", "欧州連合統計局(Eurostat)",
     "https://ec.europa.eu/eurostat/web/hicp", "ユーロHICP", "EUHICP", "%を10倍", EU},
    {8, 8, "FOMC政策金利(誘導目標上限)", "米連邦準備制度理事会(FRB)",
     "https://www.federalreserve.gov/monetarypolicy/openmarket.htm", "FOMC", "FOMC", "%を100倍", US},
    {9, 9, "米経済指標発表予定", "米国労働統計局(BLS)",
     "https://www.bls.gov/schedule/news_release/", "発表予定", "CLN", "", US},
};

// Releases of 2024 in Japan time, as a user in Japan records them. RV, EV
// and CV are whole numbers (see the indicator's remark); an empty CV is none.
struct Release {
    int iid;
    const char *date; // YYYY-MM-DD
    const char *time; // HH:MM
    const char *rv;
    const char *ev;
    const char *cv;
};

const Release kReleases[] = {
    // 米雇用統計: CV is the figure as revised a month later.
    {1, "2024-01-05", "22:30", "216", "170", "333"},
    {1, "2024-02-02", "22:30", "353", "180", "229"},
    {1, "2024-03-08", "22:30", "275", "200", "270"},
    {1, "2024-04-05", "21:30", "303", "200", "315"},
    {1, "2024-05-03", "21:30", "175", "240", "165"},
    {1, "2024-06-07", "21:30", "272", "185", "218"},
    {1, "2024-07-05", "21:30", "206", "190", "118"},
    {1, "2024-08-02", "21:30", "114", "175", "89"},
    {1, "2024-09-06", "21:30", "142", "165", "159"},
    {1, "2024-10-04", "21:30", "254", "140", "223"},
    {1, "2024-11-01", "21:30", "12", "110", "36"},
    {1, "2024-12-06", "22:30", "227", "200", "212"},
    // 米CPI
    {2, "2024-01-11", "22:30", "34", "32", ""},
    {2, "2024-02-13", "22:30", "31", "29", ""},
    {2, "2024-04-10", "21:30", "35", "34", ""},
    {2, "2024-05-15", "21:30", "34", "34", ""},
    {2, "2024-07-11", "21:30", "30", "31", ""},
    {2, "2024-08-14", "21:30", "29", "30", ""},
    {2, "2024-10-10", "21:30", "24", "23", ""},
    {2, "2024-12-11", "22:30", "27", "27", ""},
    // 米GDP: CV is the second estimate.
    {3, "2024-01-25", "22:30", "33", "20", "32"},
    {3, "2024-04-25", "21:30", "16", "25", "13"},
    {3, "2024-07-25", "21:30", "28", "20", "30"},
    {3, "2024-10-30", "21:30", "28", "30", "28"},
    // ISM製造業: midnight in winter, 23:00 in summer.
    {4, "2024-01-04", "00:00", "474", "471", ""},
    {4, "2024-03-02", "00:00", "478", "494", ""},
    {4, "2024-04-01", "23:00", "503", "484", ""},
    {4, "2024-06-03", "23:00", "487", "496", ""},
    {4, "2024-08-01", "23:00", "468", "488", ""},
    {4, "2024-10-01", "23:00", "472", "475", ""},
    {4, "2024-12-03", "00:00", "484", "475", ""},
    // 日銀短観
    {5, "2024-04-01", "08:50", "11", "10", ""},
    {5, "2024-07-01", "08:50", "13", "12", ""},
    {5, "2024-10-01", "08:50", "13", "13", ""},
    {5, "2024-12-13", "08:50", "14", "13", ""},
    // 全国CPI
    {6, "2024-01-19", "08:30", "23", "23", ""},
    {6, "2024-03-22", "08:30", "28", "29", ""},
    {6, "2024-05-24", "08:30", "22", "22", ""},
    {6, "2024-07-19", "08:30", "26", "27", ""},
    {6, "2024-09-20", "08:30", "28", "28", ""},
    {6, "2024-11-22", "08:30", "23", "22", ""},
    // FOMC: the statement comes out at 14:00 in Washington.
    {8, "2024-02-01", "04:00", "550", "550", ""},
    {8, "2024-03-21", "03:00", "550", "550", ""},
    {8, "2024-05-02", "03:00", "550", "550", ""},
    {8, "2024-06-13", "03:00", "550", "550", ""},
    {8, "2024-08-01", "03:00", "550", "550", ""},
    {8, "2024-09-19", "03:00", "500", "525", ""},
    {8, "2024-11-08", "04:00", "475", "475", ""},
    {8, "2024-12-19", "04:00", "450", "450", ""},
};

struct Instrument {
    int cnt;
    int fid;
    const char *name;      // FXNM
    const char *shortName; // RYAK
    const char *csvName;   // CSVNM
    const char *remark;    // TYO
    Region base;
    double monthly[12];    // rough level in the middle of each month of 2024
};

const Instrument kInstruments[] = {
    {1, 1, "米ドル/円", "ドル円", "USDJPY", "15分足", US,
     {146.0, 149.5, 150.5, 153.5, 156.0, 157.5, 158.0, 146.5, 143.0, 149.0, 153.5, 153.0}},
    {2, 2, "ユーロ/円", "ユーロ円", "EURJPY", "15分足", EU,
     {159.5, 161.5, 163.0, 164.5, 168.5, 169.0, 171.0, 161.0, 159.5, 162.5, 163.0, 160.0}},
};

struct Browser {
    int cnt;
    const char *name; // BRNAM
    const char *path; // PASS
};

const Browser kBrowsers[] = {
    {1, "Chromium", "/usr/bin/chromium"},
    {2, "Firefox", "/usr/bin/firefox"},
};

// Bars from one hour before the hour of a release to the end of the second
// hour after it.
constexpr int kBarMinutes = 15;
constexpr int kHoursBefore = 1;
constexpr int kHoursAfter = 2;

QString text(const char *utf8) { return QString::fromUtf8(utf8); }

QString priceFolderName() { return QStringLiteral("FXﾃﾞｰﾀ/CSV"); }

QString priceFile(const QString &folder, const Instrument &instrument)
{
    return folder + QLatin1Char('/') + priceFolderName() + QLatin1Char('/') + text(instrument.csvName)
           + QStringLiteral(".CSV");
}

const Indicator &indicatorOf(int iid)
{
    for (const Indicator &indicator : kIndicators)
        if (indicator.iid == iid)
            return indicator;
    throw AppError(QStringLiteral("指標ID %1 の指標がありません").arg(iid));
}

// Release times are read as UTC only to keep the arithmetic free of the
// machine's own time zone; they are Japan times throughout.
QDateTime releaseTime(const Release &release)
{
    return QDateTime(QDate::fromString(text(release.date), Qt::ISODate),
                     QTime::fromString(text(release.time), QStringLiteral("HH:mm")), Qt::UTC);
}

// ---------------------------------------------------------------- tables

// Inserts one row through the store's own insert builder, so that the sample
// is written as the program writes its rows.
void insertRow(StoreRoutines &r, const char *table, const QStringList &values)
{
    for (int i = StoreRoutines::kFirstValueSlot; i <= StoreRoutines::kSlots; ++i)
        r.sa[i].clear();
    for (int k = 0; k < values.size(); ++k)
        r.sa[StoreRoutines::kFirstValueSlot + k] = values[k];
    r.stnm = text(table);
    r.ucSql(2);
    r.executeOrRaise();
}

void requireDataTables(Tdm &dm)
{
    for (const StandardDictionary::TableRow &table : StandardDictionary::tables()) {
        if (table.tbid < 4)
            continue;
        Dataset probe(dm.csq, QStringLiteral("probe"));
        probe.setSql(QStringLiteral("select count(*) from sqlite_master where type = 'table' and name = '%1'")
                         .arg(text(table.name)));
        probe.open();
        if (probe.text(0) != QLatin1String("1"))
            throw DatabaseError(QStringLiteral("テーブル %1 を作成できませんでした").arg(text(table.name)));
    }
}

void fillTables(StoreRoutines &r)
{
    for (const Indicator &i : kIndicators)
        insertRow(r, "AAEIL",
                  {QString::number(i.cnt), QString::number(i.iid), text(i.name), text(i.site), text(i.url),
                   text(i.shortName), text(i.csvName), text(i.remark)});

    // Row numbers in the order of release, as they would have been typed.
    std::vector<Release> releases(std::begin(kReleases), std::end(kReleases));
    std::stable_sort(releases.begin(), releases.end(), [](const Release &a, const Release &b) {
        return releaseTime(a) < releaseTime(b);
    });
    int cnt = 0;
    for (const Release &v : releases) {
        const QString date = text(v.date);
        const QString time = text(v.time);
        insertRow(r, "AINDX",
                  {QString::number(++cnt), QString::number(v.iid), text(indicatorOf(v.iid).name), date.mid(0, 4),
                   date.mid(5, 2), date.mid(8, 2), time.mid(0, 2), time.mid(3, 2), text(v.rv), text(v.ev),
                   text(v.cv), QString()});
    }

    for (const Instrument &f : kInstruments)
        insertRow(r, "AAFXL",
                  {QString::number(f.cnt), QString::number(f.fid), text(f.name), text(f.shortName),
                   text(f.csvName), text(f.remark)});

    for (const Browser &b : kBrowsers)
        insertRow(r, "WEBBRW", {QString::number(b.cnt), text(b.name), text(b.path)});
}

// Runs the program's own connection and table check in the folder, then
// fills the tables.
void writeSampleTables(const QString &folder)
{
    struct CurrentFolder {
        QString previous = QDir::currentPath();
        ~CurrentFolder() { QDir::setCurrent(previous); }
    } restore;
    if (!QDir::setCurrent(folder))
        throw FileError(QStringLiteral("フォルダ %1 に移れません").arg(folder));

    Tdm dm;
    StoreRoutines r;
    r.setDataModule(&dm);
    r.uqCtbl(4);
    r.uqCtbl(1);
    requireDataTables(dm);
    fillTables(r);
    dm.csq.close();
}

// ---------------------------------------------------------------- price files

// Direction of the price move at a release: with the surprise for the base
// currency's region, against it for the yen, none otherwise.
int reaction(const Release &release, const Instrument &instrument)
{
    const int surprise = text(release.rv).toInt() - text(release.ev).toInt();
    const int sign = (surprise > 0) - (surprise < 0);
    const Region region = indicatorOf(release.iid).region;
    if (region == instrument.base)
        return sign;
    if (region == JP)
        return -sign;
    return 0;
}

double monthlyLevel(const Instrument &instrument, const QDate &date)
{
    const int m = date.month() - 1;
    const double here = instrument.monthly[m];
    const double next = instrument.monthly[std::min(m + 1, 11)];
    return here + (next - here) * (date.day() - 1) / date.daysInMonth();
}

QString priceText(double price) { return QString::number(price, 'f', 3); }

// One line of a price file: first stamp YYYY/MM/DD and H:MM, open, high, low
// and close with three decimals, second stamp YYYY-MM-DD and HH:MM.
QString priceLine(const QDateTime &bar, double open, double high, double low, double close)
{
    const QDate d = bar.date();
    const QTime t = bar.time();
    return QStringLiteral("%1/%2/%3,%4:%5,%6,%7,%8,%9,%10,%11")
        .arg(d.year())
        .arg(d.month(), 2, 10, QLatin1Char('0'))
        .arg(d.day(), 2, 10, QLatin1Char('0'))
        .arg(t.hour())
        .arg(t.minute(), 2, 10, QLatin1Char('0'))
        .arg(priceText(open), priceText(high), priceText(low), priceText(close))
        .arg(d.toString(QStringLiteral("yyyy-MM-dd")), t.toString(QStringLiteral("HH:mm")));
}

QString priceLines(const Instrument &instrument)
{
    // Every bar time, with the move of the releases that fall into it.
    std::map<QDateTime, int> bars;
    for (const Release &release : kReleases) {
        const QDateTime at = releaseTime(release);
        const QDateTime hour(at.date(), QTime(at.time().hour(), 0), Qt::UTC);
        const QDateTime first = hour.addSecs(-3600 * kHoursBefore);
        const int count = (kHoursBefore + 1 + kHoursAfter) * 60 / kBarMinutes;
        for (int k = 0; k < count; ++k)
            bars.emplace(first.addSecs(60 * kBarMinutes * k), 0);
        const QTime t = at.time();
        const QDateTime bar(at.date(), QTime(t.hour(), t.minute() / kBarMinutes * kBarMinutes), Qt::UTC);
        bars[bar] += reaction(release, instrument);
    }

    std::mt19937 noise(std::uint32_t(instrument.fid) * 7919u);
    auto wiggle = [&noise](double size) { return size * (double(noise() % 2001) / 1000.0 - 1.0); };

    QString lines;
    QDateTime previous;
    double level = 0;
    for (const auto &[bar, move] : bars) {
        if (!previous.isValid() || previous.secsTo(bar) != 60 * kBarMinutes)
            level = monthlyLevel(instrument, bar.date()) + wiggle(0.6);
        const double open = level;
        const double close = open + wiggle(0.08) + 0.45 * move;
        const double high = std::max(open, close) + std::fabs(wiggle(0.05));
        const double low = std::min(open, close) - std::fabs(wiggle(0.05));
        lines += priceLine(bar, open, high, low, close) + QStringLiteral("\r\n");
        level = close;
        previous = bar;
    }
    return lines;
}

void writePriceFiles(const QString &folder, QStringList &written)
{
    const QString dir = folder + QLatin1Char('/') + priceFolderName();
    if (!QDir().mkpath(dir))
        throw FileError(QStringLiteral("フォルダ %1 を作成できません").arg(dir));
    QStringEncoder encoder("windows-31j");
    if (!encoder.isValid())
        throw FileError(QStringLiteral("コードページ 932 に変換できません"));
    for (const Instrument &instrument : kInstruments) {
        const QString path = priceFile(folder, instrument);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            throw FileError(QStringLiteral("%1 を作成できません: %2").arg(path, file.errorString()));
        written << path;
        const QByteArray bytes = encoder.encode(priceLines(instrument));
        if (file.write(bytes) != bytes.size() || !file.flush())
            throw FileError(QStringLiteral("%1 に書き込めません: %2").arg(path, file.errorString()));
    }
}

// ---------------------------------------------------------------- command

QString usage()
{
    return QStringLiteral(
        "使い方: sqdb-init FOLDER [--sample]\n"
        "  FOLDER (なければ作ります) にデータ辞書だけを入れた SQDB.DB を作ります。\n"
        "  既にある SQDB.DB は上書きしません。\n"
        "  --sample  データテーブルも作り、見本のデータと FXﾃﾞｰﾀ/CSV の価格ファイルを書きます。");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);

    QStringList folders;
    bool sample = false;
    const QStringList arguments = app.arguments().mid(1);
    for (const QString &argument : arguments) {
        if (argument == QLatin1String("--sample")) {
            sample = true;
        } else if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
            printLine(stdout, usage());
            return 0;
        } else if (argument.startsWith(QLatin1Char('-')) || argument.isEmpty()) {
            printLine(stderr, QStringLiteral("不明な指定です: %1").arg(argument));
            printLine(stderr, usage());
            return 2;
        } else {
            folders << argument;
        }
    }
    if (folders.size() != 1) {
        printLine(stderr, usage());
        return 2;
    }

    const QString folder = QDir::cleanPath(QDir(folders.first()).absolutePath());
    const QString database = folder + QStringLiteral("/SQDB.DB");

    // Nothing is written when any file to be made is there already.
    QStringList targets{database};
    if (sample)
        for (const Instrument &instrument : kInstruments)
            targets << priceFile(folder, instrument);
    for (const QString &target : targets) {
        if (QFileInfo::exists(target)) {
            printLine(stderr, QStringLiteral("%1 は既にあります。上書きしません。").arg(target));
            return 1;
        }
    }

    if (!QDir().mkpath(folder)) {
        printLine(stderr, QStringLiteral("フォルダ %1 を作成できません。").arg(folder));
        return 1;
    }

    QStringList written;
    try {
        StandardDictionary::createNewFile(database);
        written << database;
        if (sample) {
            writeSampleTables(folder);
            writePriceFiles(folder, written);
        }
    } catch (const std::exception &e) {
        const auto *error = dynamic_cast<const AppError *>(&e);
        printLine(stderr, error ? error->text() : QString::fromLocal8Bit(e.what()));
        for (const QString &path : written)
            QFile::remove(path);
        return 1;
    }

    printLine(stdout, QStringLiteral("%1 を作成しました。").arg(database));
    return 0;
}
