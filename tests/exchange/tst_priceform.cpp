#include "exchange/CsvFile.h"
#include "exchange/PriceForm.h"
#include <QtTest>

using PriceForm::Form;
Q_DECLARE_METATYPE(PriceForm::Form)

namespace {

// Slots 14 to 28 of a line of the form, "-" for an empty slot, or "refused".
QString taken(Form form, QStringView line)
{
    const std::optional<PriceLine::Slots> row = PriceForm::take(form, PriceForm::split(form, line));
    if (!row)
        return QStringLiteral("refused");
    QStringList shown;
    for (const QString &s : *row)
        shown << (s.isEmpty() ? QStringLiteral("-") : s);
    return shown.join(QLatin1Char(' '));
}

} // namespace

// Recognising the form of an FX price file and taking its lines.
class TestPriceForm : public QObject {
    Q_OBJECT
private slots:
    // A file's first lines give its form and header; its price line gives
    // these slots.
    void recogniseAndTake_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Form>("form");
        QTest::addColumn<int>("header");
        QTest::addColumn<QString>("expected");
        QTest::newRow("own form")
            << "2023/01/05,9:30,130.123,130.456,129.987,130.200,2023-01-05,09:30" << Form::Slashed << -1
            << "2023 01 05 09 30 130123 130456 129987 130200 2023 01 05 09 30 -";
        QTest::newRow("dotted dates") << "2009.01.05,12:49,1.36770,1.36780,1.36760,1.36760,8" << Form::Dotted << -1
                                      << "2009 01 05 12 49 136770 136780 136760 136760 - - - - - -";
        QTest::newRow("ISO stamps after their header")
            << "Time,Open,High,Low,Close,Tick_Volume,Spread,Real_Volume\n"
               "2023-05-11 21:00:00,2013.87,2015.11,2013.40,2014.39,4858,24,0"
            << Form::Iso << 0 << "2023 05 11 21 00 201387 201511 201340 201439 - - - - - -";
        QTest::newRow("ISO stamps without a header")
            << "2023-05-11 21:59:59,2013.87,2015.11,2013.40,2014.39" << Form::Iso << -1
            << "2023 05 11 21 59 201387 201511 201340 201439 - - - - - -";
        QTest::newRow("tab-separated, blank line before the header")
            << "\n<DATE>\t<TIME>\t<OPEN>\t<HIGH>\t<LOW>\t<CLOSE>\t<TICKVOL>\t<VOL>\t<SPREAD>\n"
               "2023.05.11\t21:00:00\t2013.87\t2015.11\t2013.40\t2014.39\t4858\t0\t24"
            << Form::Tabbed << 1 << "2023 05 11 21 00 201387 201511 201340 201439 - - - - - -";
        QTest::newRow("compact minute bars") << "20230102 170000;1.06950;1.06960;1.06940;1.06950;0" << Form::Compact
                                             << -1 << "2023 01 02 17 00 106950 106960 106940 106950 - - - - - -";
        QTest::newRow("Japanese, date and time in one column")
            << "日時,始値,高値,安値,終値\n2023/01/02 07:00,130.10,130.20,130.00,130.15" << Form::Japanese << 0
            << "2023 01 02 07 00 13010 13020 13000 13015 - - - - - -";
        QTest::newRow("Japanese, date and time apart, one-digit parts")
            << "日付,時刻,始値,高値,安値,終値,出来高\n2023/1/2,7:05:30,130.10,130.20,130.00,130.15,12" << Form::Japanese
            << 0 << "2023 01 02 07 05 13010 13020 13000 13015 - - - - - -";
        // Only the Japanese header makes slashed lines a form of their own:
        // without it the first line is a price line, as it always was.
        QTest::newRow("Japanese lines without their header")
            << "2023/01/02 07:00,130.10,130.20,130.00,130.15" << Form::Slashed << -1
            << "2023 01 02 07 00 13010 13020 13000 13015 - - - - - -";
        QTest::newRow("another header before slashed lines")
            << "Date,Time,Open,High,Low,Close\n2023/01/02,07:00,1,2,3,4" << Form::Slashed << -1
            << "2023 01 02 07 00 1 2 3 4 - - - - - -";
        QTest::newRow("a header alone") << "Time,Open,High,Low,Close" << Form::Slashed << -1 << "";
        QTest::newRow("empty file") << "" << Form::Slashed << -1 << "";
    }
    void recogniseAndTake()
    {
        QFETCH(QString, text);
        QFETCH(Form, form);
        QFETCH(int, header);
        QFETCH(QString, expected);
        const QList<QStringView> lines = CsvFile::lines(text);
        const PriceForm::Recognised recognised = PriceForm::recognise(lines);
        QCOMPARE(recognised.form, form);
        QCOMPARE(recognised.header, qsizetype(header));
        if (!expected.isEmpty())
            QCOMPARE(taken(form, lines.last()), expected);
    }

    // A stamp that is no valid date and time of its form, or a line that
    // ends before its close, is refused whole.
    void refusedLines_data()
    {
        QTest::addColumn<Form>("form");
        QTest::addColumn<QString>("line");
        QTest::newRow("month 13") << Form::Dotted << "2009.13.05,12:49,1,2,3,4";
        QTest::newRow("30 February") << Form::Iso << "2023-02-30 10:00:00,1,2,3,4";
        QTest::newRow("29 February of a common year") << Form::Compact << "20230229 100000;1;2;3;4";
        QTest::newRow("hour 24") << Form::Tabbed << "2023.05.11\t24:00:00\t1\t2\t3\t4";
        QTest::newRow("minute 60") << Form::Japanese << "2023/01/02 07:60,1,2,3,4";
        QTest::newRow("second 60, never rounded into the minute") << Form::Iso << "2023-05-11 21:59:60,1,2,3,4";
        QTest::newRow("one-digit month where two are written") << Form::Dotted << "2009.1.05,12:49,1,2,3,4";
        QTest::newRow("another date separator") << Form::Dotted << "2009/01/05,12:49,1,2,3,4";
        QTest::newRow("letter in the date") << Form::Iso << "2023-05-1x 21:00:00,1,2,3,4";
        QTest::newRow("five-digit compact time") << Form::Compact << "20230102 17000;1;2;3;4";
        QTest::newRow("time missing") << Form::Japanese << "2023/01/02,130.1,130.2,130.0,130.1";
        QTest::newRow("time with a trailing part") << Form::Dotted << "2009.01.05,12:49:00:00,1,2,3,4";
        QTest::newRow("no close") << Form::Compact << "20230102 170000;1;2;3";
        QTest::newRow("header line") << Form::Iso << "Time,Open,High,Low,Close";
    }
    void refusedLines()
    {
        QFETCH(Form, form);
        QFETCH(QString, line);
        QCOMPARE(taken(form, line), QStringLiteral("refused"));
    }
};

QTEST_GUILESS_MAIN(TestPriceForm)
#include "tst_priceform.moc"
