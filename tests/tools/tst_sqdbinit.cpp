#include "ScriptedBoxes.h"
#include "WorkFolder.h"
#include "store/Dataset.h"
#include "store/StandardDictionary.h"
#include "store/StoreRoutines.h"
#include "store/Tdm.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QtTest>
#include <sqlite3.h>

// sqdb-init run as a process on temporary folders; the database it leaves is
// read with the SQLite C API after the process has ended.
namespace {

struct Outcome {
    int code = -1;
    QString err;
};

Outcome runTool(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(SQDB_INIT), arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardError())};
}

class Sqlite {
public:
    explicit Sqlite(const QString &path)
    {
        if (sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
            QTest::qFail(qPrintable(QStringLiteral("cannot open ") + path), __FILE__, __LINE__);
    }
    ~Sqlite() { sqlite3_close(db_); }

    // Every row as texts; NULL reads as "<NULL>".
    QList<QStringList> rows(const QString &sql) const
    {
        QList<QStringList> result;
        sqlite3_stmt *stmt = nullptr;
        const QByteArray text = sql.toUtf8();
        if (sqlite3_prepare_v2(db_, text.constData(), -1, &stmt, nullptr) != SQLITE_OK) {
            QTest::qFail(qPrintable(sql + QStringLiteral(": ") + QString::fromUtf8(sqlite3_errmsg(db_))),
                         __FILE__, __LINE__);
            return result;
        }
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            QStringList row;
            for (int c = 0; c < sqlite3_column_count(stmt); ++c)
                row << (sqlite3_column_type(stmt, c) == SQLITE_NULL
                            ? QStringLiteral("<NULL>")
                            : QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, c))));
            result << row;
        }
        sqlite3_finalize(stmt);
        return result;
    }
    QStringList column(const QString &sql) const
    {
        QStringList result;
        for (const QStringList &row : rows(sql))
            result << row.value(0);
        return result;
    }
    QString scalar(const QString &sql) const { return column(sql).value(0); }

private:
    sqlite3 *db_ = nullptr;
};

// What the rest of the system relies on: each table's id, its columns in
// order, and which of them are numbers (all others are texts).
struct Described {
    QString table;
    int tbid;
    QStringList columns;
    QStringList numbers;
};

QList<Described> dataTables()
{
    auto list = [](const char *names) { return QString::fromLatin1(names).split(QLatin1Char(' ')); };
    return {
        {QStringLiteral("AAEIL"), 4, list("CNT IID IXNM SYT URL RYAK CSVNM TYO"), list("CNT IID")},
        {QStringLiteral("AINDX"), 5, list("CNT IID IXNM DY DM DD HH HM RV EV CV TYO"), list("CNT IID RV EV CV")},
        {QStringLiteral("AAFXL"), 6, list("CNT FID FXNM RYAK CSVNM TYO"), list("CNT FID")},
        {QStringLiteral("AFX"), 7,
         list("CNT FID FXNM DYL DML DDL HHL HML OV HV LV CV DYR DMR DDR HHR HMR TYO"),
         list("CNT FID OV HV LV CV")},
        {QStringLiteral("WEBBRW"), 8, list("CNT BRNAM PASS"), list("CNT")},
    };
}

QString priceFolder(const QString &folder) { return folder + QStringLiteral("/FXﾃﾞｰﾀ/CSV"); }

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestSqdbInit : public QObject {
    Q_OBJECT

private slots:
    void dictionaryAloneDescribesEveryTable()
    {
        QTemporaryDir tmp;
        const QString folder = tmp.filePath(QStringLiteral("新規/作業"));
        const Outcome run = runTool({folder});
        QVERIFY2(run.code == 0, qPrintable(run.err));

        Sqlite db(folder + QStringLiteral("/SQDB.DB"));
        QCOMPARE(db.column(QStringLiteral("select name from sqlite_master where type = 'table' order by name")),
                 QStringList({QStringLiteral("AAATBN"), QStringLiteral("AAATST")}));
        QVERIFY(!QFileInfo::exists(tmp.filePath(QStringLiteral("新規/作業/FXﾃﾞｰﾀ"))));

        QCOMPARE(db.rows(QStringLiteral("select TNAM, TBID from AAATBN order by CNT")),
                 QList<QStringList>({{"AAATBN", "1"}, {"AAATST", "2"}, {"AAEIL", "4"}, {"AINDX", "5"},
                                     {"AAFXL", "6"}, {"AFX", "7"}, {"WEBBRW", "8"}}));

        for (const Described &d : dataTables()) {
            const QString where = QStringLiteral(" from AAATST where TBID = %1 ").arg(d.tbid);
            QCOMPARE(db.column(QStringLiteral("select CNAM") + where + QStringLiteral("order by CNT")), d.columns);
            QCOMPARE(db.column(QStringLiteral("select CNAM") + where + QStringLiteral("and KT = 'Integer' order by CNT")),
                     d.numbers);
            // Every other column is a text column with a length; every
            // column has a display width; numbers carry no length.
            QCOMPARE(db.scalar(QStringLiteral("select count(*)") + where
                               + QStringLiteral("and not (KT = 'Integer' and LN is null or KT = 'nchar' and LN > 0)")),
                     QStringLiteral("0"));
            QCOMPARE(db.scalar(QStringLiteral("select count(*)") + where + QStringLiteral("and not DPW > 0")),
                     QStringLiteral("0"));
        }
        // The date and time parts hold what the entry panel and the FX import
        // store: four-digit years, two characters for the other parts.
        QCOMPARE(db.column(QStringLiteral("select CNAM || '=' || LN from AAATST where TBID = 7 and CNAM in "
                                          "('DYL', 'DML', 'DDL', 'HHL', 'HML') order by CNT")),
                 QStringList({"DYL=4", "DML=2", "DDL=2", "HHL=2", "HML=2"}));
    }

    void sampleFillsEveryTableAndThePriceFiles()
    {
        QTemporaryDir tmp;
        const QString folder = tmp.filePath(QStringLiteral("sample"));
        const Outcome run = runTool({folder, QStringLiteral("--sample")});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        Sqlite db(folder + QStringLiteral("/SQDB.DB"));

        // Every described table exists with exactly its column rows, the
        // dictionary's own tables included.
        for (const QStringList &t : db.rows(QStringLiteral("select TNAM, TBID from AAATBN order by CNT"))) {
            const QStringList described = db.column(
                QStringLiteral("select CNAM from AAATST where TBID = %1 order by CNT").arg(t[1]));
            QVERIFY2(!described.isEmpty(), qPrintable(t[0]));
            QCOMPARE(db.column(QStringLiteral("select name from pragma_table_info('%1') order by cid").arg(t[0])),
                     described);
        }

        // Indicators: decimal ids, one of them 9, real addresses, distinct
        // file names; one without releases.
        const auto indicators = db.rows(QStringLiteral("select IID, IXNM, URL, CSVNM, SYT, RYAK from AAEIL order by CNT"));
        QVERIFY(indicators.size() >= 6 && indicators.size() <= 9);
        QSet<QString> files;
        for (const QStringList &i : indicators) {
            QVERIFY2(QRegularExpression(QStringLiteral("^[1-9][0-9]?$")).match(i[0]).hasMatch(), qPrintable(i[0]));
            QVERIFY2(i[2].startsWith(QStringLiteral("https://")), qPrintable(i[2]));
            QVERIFY2(QRegularExpression(QStringLiteral("^[A-Za-z0-9_]+$")).match(i[3]).hasMatch(), qPrintable(i[3]));
            QVERIFY(!i[4].isEmpty() && i[4] != QLatin1String("<NULL>"));
            QVERIFY(!i[5].isEmpty() && i[5] != QLatin1String("<NULL>"));
            files << i[3];
        }
        QCOMPARE(files.size(), indicators.size());
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from AAEIL where IID = 9")), QStringLiteral("1"));
        // The value files give back every release: the indicator 9, which is
        // never written, is the one never read ("CLN") and has no releases.
        QCOMPARE(db.scalar(QStringLiteral("select group_concat(IID) from AAEIL where CSVNM = 'CLN'")), QStringLiteral("9"));
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from AINDX where IID = 9")), QStringLiteral("0"));
        QVERIFY(db.scalar(QStringLiteral("select count(*) from AAEIL where IID not in (select IID from AINDX)")).toInt() >= 1);

        // Releases: numbered uniquely, of known indicators under their
        // names, dated in 2024 with two-digit parts, whole-number values.
        const int releases = db.scalar(QStringLiteral("select count(*) from AINDX")).toInt();
        QVERIFY(releases >= 24);
        QCOMPARE(db.scalar(QStringLiteral("select count(distinct CNT) from AINDX")).toInt(), releases);
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from AINDX a join AAEIL e on a.IID = e.IID and a.IXNM = e.IXNM")).toInt(),
                 releases);
        const QRegularExpression twoDigits(QStringLiteral("^[0-9]{2}$"));
        for (const QStringList &v : db.rows(QStringLiteral("select DY, DM, DD, HH, HM, typeof(RV), typeof(EV), typeof(CV) from AINDX"))) {
            QCOMPARE(v[0], QStringLiteral("2024"));
            for (int k = 1; k <= 4; ++k)
                QVERIFY2(twoDigits.match(v[k]).hasMatch(), qPrintable(v.join(QLatin1Char(' '))));
            QCOMPARE(v[5], QStringLiteral("integer"));
            QCOMPARE(v[6], QStringLiteral("integer"));
            QVERIFY(v[7] == QLatin1String("integer") || v[7] == QLatin1String("null"));
        }

        QCOMPARE(db.column(QStringLiteral("select FID from AAFXL order by CNT")), QStringList({"1", "2"}));
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from AFX")), QStringLiteral("0"));
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from WEBBRW where BRNAM <> '' and PASS <> ''")),
                 QStringLiteral("2"));

        // The FX files: code page 932, CR LF, lines the import takes apart.
        // Keys are the hour keys the chart compares, built from what the
        // import stores (two-digit month and hour, the day as written).
        const QRegularExpression line(QStringLiteral(
            "^(2024)/([0-9]{1,2})/([0-9]{1,2}),([0-9]{1,2}):([0-9]{2}),"
            "([0-9]+\\.[0-9]+),([0-9]+\\.[0-9]+),([0-9]+\\.[0-9]+),([0-9]+\\.[0-9]+),"
            "[0-9]{4}-[0-9]{2}-[0-9]{2},[0-9]{2}:[0-9]{2}$"));
        int total = 0;
        for (const QString &csvName : db.column(QStringLiteral("select CSVNM from AAFXL order by CNT"))) {
            const QString path = priceFolder(folder) + QLatin1Char('/') + csvName + QStringLiteral(".CSV");
            const QByteArray bytes = contents(path);
            QVERIFY2(!bytes.isEmpty(), qPrintable(path));
            QVERIFY(bytes.endsWith("\r\n"));
            QCOMPARE(bytes.count("\r\n"), bytes.count('\n'));
            QCOMPARE(bytes.count("\r\n"), bytes.count('\r'));
            QStringDecoder decoder("windows-31j");
            const QString text = decoder.decode(bytes);
            QVERIFY(!decoder.hasError());

            QSet<QString> hours;
            const QStringList lines = text.chopped(2).split(QStringLiteral("\r\n"));
            total += lines.size();
            for (const QString &l : lines) {
                const QRegularExpressionMatch m = line.match(l);
                QVERIFY2(m.hasMatch(), qPrintable(l));
                const double open = m.captured(6).toDouble(), high = m.captured(7).toDouble();
                const double low = m.captured(8).toDouble(), close = m.captured(9).toDouble();
                QVERIFY2(low <= qMin(open, close) && qMax(open, close) <= high, qPrintable(l));
                hours << m.captured(1) + QLatin1Char('/') + m.captured(2).rightJustified(2, QLatin1Char('0'))
                             + QLatin1Char('/') + m.captured(3) + QLatin1Char(' ')
                             + m.captured(4).rightJustified(2, QLatin1Char('0'));
            }
            for (const QString &key : db.column(QStringLiteral("select DY || '/' || DM || '/' || DD || ' ' || HH from AINDX")))
                QVERIFY2(hours.contains(key), qPrintable(csvName + QLatin1Char(' ') + key));
        }
        QVERIFY(total <= 5000);
    }

    void existingFilesAreNeverOverwritten_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("existing");
        QTest::newRow("database") << QStringList() << QStringLiteral("SQDB.DB");
        QTest::newRow("database, sample") << QStringList({"--sample"}) << QStringLiteral("SQDB.DB");
        QTest::newRow("price file, sample") << QStringList({"--sample"}) << QStringLiteral("FXﾃﾞｰﾀ/CSV/EURJPY.CSV");
    }
    void existingFilesAreNeverOverwritten()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, existing);
        QTemporaryDir tmp;
        const QString path = tmp.filePath(existing);
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        const QByteArray before("kept as it was\r\n");
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(before);
        }
        const Outcome run = runTool(QStringList{tmp.path()} + options);
        QVERIFY(run.code != 0 && run.code != -1);
        QVERIFY2(run.err.contains(QFileInfo(path).fileName()), qPrintable(run.err));
        QCOMPARE(contents(path), before);
        // Nothing else was made either.
        QCOMPARE(QDir(tmp.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
                 QStringList({existing.section(QLatin1Char('/'), 0, 0)}));
    }

    void badUsageShowsTheUsage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("nothing") << QStringList();
        QTest::newRow("only the option") << QStringList({"--sample"});
        QTest::newRow("two folders") << QStringList({"a", "b"});
        QTest::newRow("unknown option") << QStringList({"a", "--sampel"});
    }
    void badUsageShowsTheUsage()
    {
        QFETCH(QStringList, arguments);
        WorkFolder work; // relative folders land here
        const Outcome run = runTool(arguments);
        QCOMPARE(run.code, 2);
        QVERIFY2(run.err.contains(QStringLiteral("sqdb-init FOLDER [--sample]")), qPrintable(run.err));
        QVERIFY(QDir(work.path()).isEmpty());
    }

    // The dictionary's kinds and lengths keep every value the system writes:
    // rows as the entry panel, the FX import and the grids make them go
    // through the statement builder and come back unchanged.
    void dictionaryKeepsTheValuesTheSystemStores_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QStringList>("values");
        QTest::newRow("AAEIL") << QStringLiteral("AAEIL") << QStringList{
            "12", "31", "全国消費者物価指数(生鮮食品及びエネルギーを除く総合)", "総務省統計局",
            "https://www.stat.go.jp/data/cpi/sokuhou/tsuki/index-z.html?year=2024&month=12&section=results#table-a",
            "全国CPIコアコア", "JPCPI_CORECORE_2024", ""};
        QTest::newRow("AINDX") << QStringLiteral("AINDX") << QStringList{
            "1058", "31", "米国雇用統計(非農業部門雇用者数)", "2024", "1", "5", "8", "30", "-12", "175", "", "前月分を訂正"};
        QTest::newRow("AAFXL") << QStringLiteral("AAFXL") << QStringList{
            "3", "12", "英ポンド/円", "ポンド円", "GBPJPY", ""};
        // What the FX import stores for "2024/1/5,9:05,153.123,...": the day
        // keeps one digit, the minute two.
        QTest::newRow("AFX") << QStringLiteral("AFX") << QStringList{
            "1000000", "1", "米ドル/円", "2024", "01", "5", "09", "05", "153123", "153456", "152987", "153200",
            "2024", "01", "05", "09", "05", ""};
        QTest::newRow("WEBBRW") << QStringLiteral("WEBBRW") << QStringList{
            "3", "Microsoft Edge", "C:\\Program Files (x86)\\Microsoft\\Edge\\Application\\msedge.exe"};
    }
    void dictionaryKeepsTheValuesTheSystemStores()
    {
        QFETCH(QString, table);
        QFETCH(QStringList, values);
        WorkFolder work;
        ScriptedBoxes boxes;
        StandardDictionary::createFile(work.database());

        Tdm dm;
        StoreRoutines r;
        r.setDataModule(&dm);
        r.uqCtbl(4);
        r.uqCtbl(1);
        r.stnm = table;
        for (int k = 0; k < values.size(); ++k)
            r.sa[11 + k] = values[k];
        r.ucSql(2);
        r.executeOrRaise();

        r.swh.clear();
        r.ucSql(1);
        Dataset &q = *dm.qw;
        q.setSql(r.sqw);
        q.open();
        QCOMPARE(q.rowCount(), 1);
        QStringList back;
        for (int k = 0; k < q.fieldCount(); ++k)
            back << q.text(k);
        QCOMPARE(back, values);
        QVERIFY2(boxes.messages.isEmpty(), qPrintable(boxes.messages.join(QLatin1Char('\n'))));
    }
};

QTEST_GUILESS_MAIN(TestSqdbInit)
#include "tst_sqdbinit.moc"
