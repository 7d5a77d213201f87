// The merge of price rows and value rows into chart points, and the point
// texts it reads as date-times.
#include "fx/ChartMerge.h"
#include "store/Errors.h"
#include <QRegularExpression>
#include <QtTest>

namespace {

// Rows held in a list, walked as the chart walks its queries.
class ListRows : public ChartRows {
public:
    struct Row {
        QString year, month, day, hour, minute, value;
    };
    explicit ListRows(std::vector<Row> rows) : rows_(std::move(rows)), end_(rows_.empty()) {}

    bool atEnd() const override { return end_; }
    void advance() override
    {
        if (at_ + 1 < int(rows_.size()))
            ++at_;
        else
            end_ = true;
    }
    QString hourKey() const override
    {
        const Row r = current();
        return ChartMerge::hourKey(r.year, r.month, r.day, r.hour);
    }
    QString minute() const override { return current().minute; }
    QString value() const override { return current().value; }

    // Where the list stands: its row number, and "end" once at its end.
    QString position() const { return QString::number(at_) + (end_ ? QStringLiteral(" end") : QString()); }

private:
    Row current() const { return rows_.empty() ? Row() : rows_[size_t(at_)]; }
    std::vector<Row> rows_;
    int at_ = 0;
    bool end_;
};

// "2024/01/05 09:15 14050": a price row.
ListRows prices(const QStringList &lines)
{
    static const QRegularExpression form(QStringLiteral("^(.*?)/(.*?)/(.*?) (.*?):(.*?) (.*)$"));
    std::vector<ListRows::Row> rows;
    for (const QString &line : lines) {
        const QRegularExpressionMatch m = form.match(line);
        rows.push_back({m.captured(1), m.captured(2), m.captured(3), m.captured(4), m.captured(5), m.captured(6)});
    }
    return ListRows(rows);
}

// "2024/01/05 09 120": a value row, its hour alone.
ListRows values(const QStringList &lines)
{
    static const QRegularExpression form(QStringLiteral("^(.*?)/(.*?)/(.*?) (.*?) (.*)$"));
    std::vector<ListRows::Row> rows;
    for (const QString &line : lines) {
        const QRegularExpressionMatch m = form.match(line);
        rows.push_back({m.captured(1), m.captured(2), m.captured(3), m.captured(4), QString(), m.captured(5)});
    }
    return ListRows(rows);
}

// Price rows every 15 minutes of 2024/01/05 from the first hour to the last.
QStringList quarterHours(int firstHour, int lastHour)
{
    QStringList lines;
    for (int h = firstHour; h <= lastHour; ++h)
        for (int m = 0; m < 60; m += 15)
            lines << QStringLiteral("2024/01/05 %1:%2 %3").arg(h, 2, 10, QLatin1Char('0')).arg(m, 2, 10, QLatin1Char('0')).arg(h * 100 + m);
    return lines;
}

// "2024/01/05 09:00 900 7": a point's text, its price and its value.
QStringList shown(const std::vector<ChartPoint> &points)
{
    QStringList out;
    for (const ChartPoint &p : points)
        out << QStringLiteral("%1 %2 %3").arg(p.text).arg(p.price).arg(p.value);
    return out;
}

} // namespace

class TestChartMerge : public QObject {
    Q_OBJECT
private slots:
    void merge_data()
    {
        QTest::addColumn<QStringList>("priceRows");
        QTest::addColumn<QStringList>("valueRows");
        QTest::addColumn<QStringList>("points");
        QTest::addColumn<QString>("pricesStand");
        QTest::addColumn<QString>("valuesStand");

        const QStringList nineToTen = {"2024/01/05 09:00 900", "2024/01/05 09:15 915", "2024/01/05 09:30 930",
                                       "2024/01/05 09:45 945", "2024/01/05 10:00 1000"};
        const QStringList firstGroup = {"2024/01/05 09:00 900 7", "2024/01/05 09:15 915 7",
                                        "2024/01/05 09:30 930 7", "2024/01/05 09:45 945 7"};

        QTest::newRow("no values: nothing, neither list moves")
            << nineToTen << QStringList() << QStringList() << "0" << "0 end";
        QTest::newRow("equal hour keys after a group: it starts at that row")
            << quarterHours(9, 10) << QStringList{"2024/01/05 09 7", "2024/01/05 10 8"}
            << firstGroup + QStringList{"2024/01/05 10:00 1000 8", "2024/01/05 10:15 1015 8",
                                        "2024/01/05 10:30 1030 8", "2024/01/05 10:45 1045 8"}
            << "7 end" << "1 end";
        QTest::newRow("the 09:40 release: 4 pairs from 09:00, the hour decides")
            << nineToTen << QStringList{"2024/01/05 09 7"} << firstGroup << "4" << "0 end";
        QTest::newRow("values older than the first price row are passed over")
            << nineToTen << QStringList{"2024/01/04 15 1", "2024/01/05 08 2", "2024/01/05 09 7"} << firstGroup
            << "4" << "2 end";
        QTest::newRow("values all older: the last one is paired with 4 rows")
            << nineToTen << QStringList{"2024/01/04 15 1", "2024/01/05 08 7"} << firstGroup << "4" << "1 end";
        QTest::newRow("09:10, 09:50, 13:00: the 09:50 release yields nothing")
            << quarterHours(9, 11) << QStringList{"2024/01/05 09 1", "2024/01/05 09 2", "2024/01/05 13 3"}
            << QStringList{"2024/01/05 09:00 900 1", "2024/01/05 09:15 915 1", "2024/01/05 09:30 930 1",
                           "2024/01/05 09:45 945 1", "2024/01/05 10:00 1000 3", "2024/01/05 10:15 1015 3",
                           "2024/01/05 10:30 1030 3", "2024/01/05 10:45 1045 3"}
            << "8" << "2 end";
        QTest::newRow("09:10 and 09:50 only: the last value takes the next 4 rows")
            << quarterHours(9, 11) << QStringList{"2024/01/05 09 1", "2024/01/05 09 2"}
            << QStringList{"2024/01/05 09:00 900 1", "2024/01/05 09:15 915 1", "2024/01/05 09:30 930 1",
                           "2024/01/05 09:45 945 1", "2024/01/05 10:00 1000 2", "2024/01/05 10:15 1015 2",
                           "2024/01/05 10:30 1030 2", "2024/01/05 10:45 1045 2"}
            << "8" << "1 end";
        QTest::newRow("the 15:00 release: the prices end while catching up, one pair")
            << QStringList{"2024/01/05 09:00 900", "2024/01/05 10:00 1000", "2024/01/05 11:00 1100",
                           "2024/01/05 12:00 1200"}
            << QStringList{"2024/01/05 15 7", "2024/01/05 16 8"} << QStringList{"2024/01/05 12:00 1200 7"}
            << "3 end" << "1";
        QTest::newRow("the prices end within a group")
            << QStringList{"2024/01/05 09:00 900", "2024/01/05 09:15 915"}
            << QStringList{"2024/01/05 09 7", "2024/01/05 10 8"}
            << QStringList{"2024/01/05 09:00 900 7", "2024/01/05 09:15 915 7"} << "1 end" << "1";
        QTest::newRow("a one-digit day sorts after the days 10 to 31")
            << QStringList{"2024/01/10 09:00 1", "2024/01/10 09:15 2", "2024/01/5 09:00 3", "2024/01/5 09:15 4"}
            << QStringList{"2024/01/5 09 7"}
            << QStringList{"2024/01/5 09:00 3 7", "2024/01/5 09:15 4 7"} << "3 end" << "0 end";
        QTest::newRow("a price or value with no value reads as 0")
            << QStringList{"2024/01/05 09:00 "} << QStringList{"2024/01/05 09 "}
            << QStringList{"2024/01/05 09:00 0 0"} << "0 end" << "0 end";
    }

    void merge()
    {
        QFETCH(QStringList, priceRows);
        QFETCH(QStringList, valueRows);
        QFETCH(QStringList, points);
        QFETCH(QString, pricesStand);
        QFETCH(QString, valuesStand);
        ListRows p = prices(priceRows);
        ListRows v = values(valueRows);
        std::vector<ChartPoint> made;
        ChartMerge::merge(p, v, made);
        QCOMPARE(shown(made), points);
        QCOMPARE(p.position(), pricesStand);
        QCOMPARE(v.position(), valuesStand);
    }

    // An error stops the merge; the pairs made before it stay.
    void errors_data()
    {
        QTest::addColumn<QStringList>("priceRows");
        QTest::addColumn<QStringList>("valueRows");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("kept");

        QTest::newRow("no prices: the point text holds its separators only")
            << QStringList() << QStringList{"2024/01/05 09 7"} << "'// :' は日付または時刻ではありません" << 0;
        QTest::newRow("a price row without its minute")
            << QStringList{"2024/01/05 09:00 900", "2024/01/05 09: 915"} << QStringList{"2024/01/05 09 7"}
            << "'2024/01/05 09:' は日付または時刻ではありません" << 1;
        QTest::newRow("a month out of range")
            << QStringList{"2024/13/05 09:00 900"} << QStringList{"2024/13/05 09 7"}
            << "'2024/13/05 09:00' は日付または時刻ではありません" << 0;
        QTest::newRow("a close price that is no whole number")
            << QStringList{"2024/01/05 09:00 900", "2024/01/05 09:15 91.5"} << QStringList{"2024/01/05 09 7"}
            << "'91.5' は整数ではありません" << 1;
        QTest::newRow("a result that is no whole number")
            << QStringList{"2024/01/05 09:00 900"} << QStringList{"2024/01/05 09 7a"}
            << "'7a' は整数ではありません" << 0;
    }

    void errors()
    {
        QFETCH(QStringList, priceRows);
        QFETCH(QStringList, valueRows);
        QFETCH(QString, message);
        QFETCH(int, kept);
        ListRows p = prices(priceRows);
        ListRows v = values(valueRows);
        std::vector<ChartPoint> made;
        try {
            ChartMerge::merge(p, v, made);
            QFAIL("no error");
        } catch (const ConversionError &e) {
            QCOMPARE(e.text(), message);
        }
        QCOMPARE(int(made.size()), kept);
    }

    void pointTime_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDateTime>("time");
        const QDateTime none;
        QTest::newRow("full width") << "2024/01/05 09:15" << QDateTime(QDate(2024, 1, 5), QTime(9, 15), Qt::UTC);
        QTest::newRow("one-digit parts") << "2024/1/5 9:5" << QDateTime(QDate(2024, 1, 5), QTime(9, 5), Qt::UTC);
        QTest::newRow("a leap day") << "2024/02/29 23:59" << QDateTime(QDate(2024, 2, 29), QTime(23, 59), Qt::UTC);
        QTest::newRow("no such day") << "2023/02/29 10:00" << none;
        QTest::newRow("hour 24") << "2024/01/05 24:00" << none;
        QTest::newRow("minute 60") << "2024/01/05 10:60" << none;
        QTest::newRow("a sign") << "2024/01/05 10:-1" << none;
        QTest::newRow("a blank before") << " 2024/01/05 10:00" << none;
        QTest::newRow("seconds") << "2024/01/05 10:00:00" << none;
    }

    void pointTime()
    {
        QFETCH(QString, text);
        QFETCH(QDateTime, time);
        if (time.isValid())
            QCOMPARE(ChartMerge::pointTime(text), time);
        else
            QVERIFY_THROWS_EXCEPTION(ConversionError, ChartMerge::pointTime(text));
    }
};

QTEST_GUILESS_MAIN(TestChartMerge)
#include "tst_chartmerge.moc"
