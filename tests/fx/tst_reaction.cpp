// The reaction table's matching of releases to prices, its summary, the
// fields it reads and the rows it reads from the database.
#include "fx/ReactionFields.h"
#include "fx/ReactionMatch.h"
#include "fx/ReactionSource.h"
#include "fx/ReactionSummary.h"
#include "fx/ReactionTable.h"
#include "store/Connection.h"
#include "store/Errors.h"
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace Reaction;

namespace {

// "Y/M/D H:M" with the parts as they are stored.
qint64 at(const QString &stamp)
{
    static const QRegularExpression form(QStringLiteral("^(.*?)/(.*?)/(.*?) (.*?):(.*?)$"));
    const QRegularExpressionMatch m = form.match(stamp);
    return minuteOf(m.captured(1), m.captured(2), m.captured(3), m.captured(4), m.captured(5));
}

// "2024/05/03 21:30 15000": a price row.
std::vector<PriceBar> bars(const QStringList &lines)
{
    std::vector<PriceBar> prices;
    for (const QString &line : lines) {
        const int space = int(line.lastIndexOf(QLatin1Char(' ')));
        prices.push_back({at(line.left(space)), line.mid(space + 1).toInt()});
    }
    sortByTime(prices);
    return prices;
}

// Surprise, price at the release, then close and move of each horizon, "|" between.
QString figures(const Row &row, int horizons)
{
    QStringList cells;
    for (int c = 4; c < 6 + 2 * horizons; ++c)
        cells << cellText(row, c);
    return cells.join(QLatin1Char('|'));
}

Row rowOf(int surprise, int move)
{
    Row row;
    row.surprise = surprise;
    row.moves = {move};
    return row;
}

} // namespace

class TestReaction : public QObject {
    Q_OBJECT
private slots:
    void matching_data()
    {
        QTest::addColumn<QStringList>("prices");
        QTest::addColumn<QString>("release"); // stamp as stored, RV and EV ("" for empty)
        QTest::addColumn<QString>("horizons");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("figures");
        const QStringList hourly = {"2024/05/03 21:00 100", "2024/05/03 21:30 110", "2024/05/03 22:00 125",
                                    "2024/05/03 22:30 90", "2024/05/04 01:30 150"};
        QTest::newRow("exact minute") << hourly << "2024/05/03 21:30 175 240" << "1h" << 0 << "-65|110|90|-20";
        QTest::newRow("the last row before")
            << hourly << "2024/05/03 21:40 175 240" << "15m,1h" << 0 << "-65|110|||90|-20";
        QTest::newRow("no row before") << hourly << "2024/05/03 20:59 1 0" << "1h" << 0 << "1||110|";
        QTest::newRow("a gap longer than the horizon")
            << hourly << "2024/05/03 22:45 1 0" << "1h,4h" << 0 << "1|90|||150|60";
        QTest::newRow("a row older than the release by more than the horizon is none")
            << hourly << "2024/05/04 00:00 1 0" << "1h,2h" << 0 << "1||||150|";
        QTest::newRow("after the last price row") << hourly << "2024/05/04 02:00 1 0" << "1h" << 0 << "1|150||";
        QTest::newRow("empty EV") << hourly << "2024/05/03 21:30 175 " << "1h" << 0 << "|110|90|-20";
        QTest::newRow("one-digit day and month as stored")
            << QStringList{"2024/5/3 21:30 110", "2024/05/03 21:45 120", "2024/5/03 22:30 130"}
            << "2024/05/3 21:30 2 1" << "1h" << 0 << "1|110|130|20";
        // Prices in a server time 7 hours behind the releases.
        const QStringList server = {"2024/05/31 16:55 200", "2024/05/31 17:00 210", "2024/05/31 18:00 230"};
        QTest::newRow("offset across midnight and a month end")
            << server << "2024/06/01 00:00 1 0" << "1h" << 7 << "1|210|230|20";
        QTest::newRow("the same without the offset") << server << "2024/06/01 00:00 1 0" << "1h" << 0 << "1|||";
        QTest::newRow("a negative offset back across a year end")
            << QStringList{"2025/01/01 08:00 300", "2025/01/01 09:00 320"} << "2024/12/31 23:00 1 0" << "1h" << -9
            << "1|300|320|20";
    }

    void matching()
    {
        QFETCH(QStringList, prices);
        QFETCH(QString, release);
        QFETCH(QString, horizons);
        QFETCH(int, offset);
        QFETCH(QString, figures);
        const QStringList parts = release.split(QLatin1Char(' '));
        const std::vector<Horizon> spans = parseHorizons(horizons);
        const std::vector<Row> rows = match(bars(prices), {{at(parts[0] + ' ' + parts[1]), valueOf(parts[2]), valueOf(parts[3]), {}}},
                                            spans, offset * 60);
        QCOMPARE(int(rows.size()), 1);
        QCOMPARE(::figures(rows[0], int(spans.size())), figures);
    }

    // Releases keep their time order; several rows of one minute give the last one's close.
    void ordersAndTies()
    {
        std::vector<Release> releases = {{at("2024/05/10 9:00"), 1, 0, {}}, {at("2024/05/9 9:00"), 2, 0, {}}};
        sortByTime(releases);
        const std::vector<Row> rows = match(bars({"2024/05/09 09:00 10", "2024/05/09 09:00 11", "2024/05/10 09:00 12"}),
                                            releases, parseHorizons("1h"), 0);
        QCOMPARE(cellText(rows[0], 0), QStringLiteral("2024/05/09 09:00"));
        QCOMPARE(cellText(rows[0], 5), QStringLiteral("11"));
        QCOMPARE(cellText(rows[1], 0), QStringLiteral("2024/05/10 09:00"));
    }

    void timesThatAreNone_data()
    {
        QTest::addColumn<QString>("stamp");
        QTest::newRow("31 April") << "2024/04/31 10:00";
        QTest::newRow("hour 24") << "2024/04/30 24:00";
        QTest::newRow("empty minute") << "2024/04/30 10:";
        QTest::newRow("full-width digit") << "2024/０4/30 10:00";
    }

    void timesThatAreNone()
    {
        QFETCH(QString, stamp);
        try {
            at(stamp);
            QFAIL("no error");
        } catch (const ConversionError &e) {
            QCOMPARE(e.text(), QStringLiteral("'%1' は日付または時刻ではありません").arg(stamp));
        }
    }

    void horizonsAndOffset()
    {
        const std::vector<Horizon> spans = parseHorizons(QStringLiteral(" 1h, 15m ,24H"));
        QCOMPARE(int(spans.size()), 3);
        QCOMPARE(spans[0].minutes, 60);
        QCOMPARE(spans[1].minutes, 15);
        QCOMPARE(spans[1].text, QStringLiteral("15m"));
        QCOMPARE(spans[2].minutes, 24 * 60);
        for (const char *bad : {"", "1h,", "0h", "1.5h", "90", "h", "169h"}) {
            try {
                parseHorizons(QString::fromUtf8(bad));
                QFAIL(bad);
            } catch (const ConversionError &e) {
                QVERIFY2(e.text().contains(QStringLiteral("は時間の長さではありません")), bad);
            }
        }
        QCOMPARE(parseOffsetHours(QString()), 0);
        QCOMPARE(parseOffsetHours(QStringLiteral(" -7 ")), -7);
        QVERIFY_THROWS_EXCEPTION(ConversionError, parseOffsetHours(QStringLiteral("1.5")));
        QVERIFY_THROWS_EXCEPTION(ConversionError, parseOffsetHours(QStringLiteral("169")));
    }

    void summary()
    {
        // Surprise and move: two positive surprises, two negative, one of 0, one without a move.
        std::vector<Row> rows = {rowOf(10, 30), rowOf(20, -10), rowOf(-10, -40), rowOf(-5, 0), rowOf(0, 5)};
        rows.push_back(rowOf(3, 0));
        rows.back().moves = {std::nullopt};
        const Summary s = summarize(rows, 0);
        QCOMPARE(s.count, 5);
        QCOMPARE(*s.meanAfterPositive, 10.0);
        QCOMPARE(*s.meanAfterNegative, -20.0);
        QCOMPARE(*s.sameSign, 0.5);
        QVERIFY(qAbs(*s.correlation - 0.44553) < 1e-4);
        QCOMPARE(summaryText(rows, parseHorizons("1h")),
                 QStringLiteral("1h: 5件 平均変動 ｻﾌﾟﾗｲｽﾞ正 +10.0 / 負 -20.0  方向一致 50.0%  相関 0.45"));

        // One pair, or surprises that never vary, give no correlation; no surprise of a sign, no mean.
        const Summary one = summarize({rowOf(10, 30)}, 0);
        QVERIFY(!one.correlation && !one.meanAfterNegative);
        QVERIFY(!summarize({rowOf(10, 30), rowOf(10, 40)}, 0).correlation);
        QCOMPARE(summaryText({}, parseHorizons("1h")),
                 QStringLiteral("1h: 0件 平均変動 ｻﾌﾟﾗｲｽﾞ正 - / 負 -  方向一致 -  相関 -"));
    }

    void exportText()
    {
        std::vector<Row> rows = match(bars({"2024/05/03 21:30 110", "2024/05/03 22:30 130"}),
                                      {{at("2024/05/03 21:30"), 175, {}, 165}}, parseHorizons("1h"), 0);
        QCOMPARE(Reaction::exportText(rows, parseHorizons("1h")),
                 QStringLiteral("発表日時,結果値,期待値,補正値,ｻﾌﾟﾗｲｽﾞ,発表時価格,1h後価格,1h変動\r\n"
                                "2024/05/03 21:30,175,,165,,110,130,20\r\n"));
    }

    // The rows come from a select in one pass: stamps as stored, close
    // prices stored as integers or texts, and the errors of a bad row.
    void readingTheDatabase()
    {
        QTemporaryDir dir;
        Connection db;
        db.open(dir.filePath(QStringLiteral("SQDB.DB")));
        db.execute(QStringLiteral("create table AFX (FID Integer, DYL nchar(4), DML nchar(2), DDL nchar(2), "
                                  "HHL nchar(2), HML nchar(2), CV Integer)"));
        db.execute(QStringLiteral("insert into AFX values (1, '2024', '05', '3', '21', '30', 15000), "
                                  "(1, '2024', '05', '03', '21', '45', '15010'), (2, '2024', '05', '03', '22', '00', 1)"));
        const std::vector<PriceBar> prices = readPrices(db, QStringLiteral(" select DYL, DML, DDL, HHL, HML, CV from AFX where FID = 1"));
        QCOMPARE(int(prices.size()), 2);
        QCOMPARE(prices[0].minute, at("2024/05/03 21:30"));
        QCOMPARE(prices[0].close, 15000);
        QCOMPARE(prices[1].minute - prices[0].minute, 15);
        QCOMPARE(prices[1].close, 15010);

        db.execute(QStringLiteral("insert into AFX values (3, '2024', '02', '30', '10', '00', 5), "
                                  "(4, '2024', '02', '03', '10', '00', '150.02')"));
        const QString select = QStringLiteral(" select * from AFX where FID = %1");
        QVERIFY_THROWS_EXCEPTION(ConversionError, readPrices(db, select.arg(3)));
        try {
            readPrices(db, select.arg(4));
            QFAIL("no error");
        } catch (const ConversionError &e) {
            QCOMPARE(e.text(), QStringLiteral("'150.02' は整数ではありません"));
        }
        try {
            readReleases(db, select.arg(1));
            QFAIL("no error");
        } catch (const DatabaseError &e) {
            QCOMPARE(e.text(), QStringLiteral("フィールド 'DY' が見つかりません"));
        }

        db.execute(QStringLiteral("create table AINDX (DY nchar(4), DM nchar(2), DD nchar(2), HH nchar(2), "
                                  "HM nchar(2), RV Integer, EV Integer, CV Integer)"));
        db.execute(QStringLiteral("insert into AINDX values ('2024', '5', '3', '21', '30', 175, NULL, -3)"));
        const std::vector<Release> releases = readReleases(db, QStringLiteral(" select * from AINDX"));
        QCOMPARE(int(releases.size()), 1);
        QCOMPARE(releases[0].minute, at("2024/05/03 21:30"));
        QCOMPARE(*releases[0].rv, 175);
        QVERIFY(!releases[0].ev);
        QCOMPARE(*releases[0].cv, -3);
        QVERIFY_THROWS_EXCEPTION(DatabaseError, readPrices(db, QStringLiteral(" select * from NOTABLE")));
    }
};

QTEST_GUILESS_MAIN(TestReaction)
#include "tst_reaction.moc"
