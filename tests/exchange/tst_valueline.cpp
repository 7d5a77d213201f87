#include "exchange/TextFileOutput.h"
#include "exchange/ValueLine.h"
#include <QtTest>

class TestValueLine : public QObject {
    Q_OBJECT
private slots:
    // Only a value that the reader would split or unquote is quoted.
    void field_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("field");
        QTest::newRow("plain") << QStringLiteral("175") << QStringLiteral("175");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("blanks kept") << QStringLiteral(" a b ") << QStringLiteral(" a b ");
        QTest::newRow("inner quote") << QStringLiteral("5\" screen") << QStringLiteral("5\" screen");
        QTest::newRow("comma") << QStringLiteral("a,b") << QStringLiteral("\"a,b\"");
        QTest::newRow("comma alone") << QStringLiteral(",") << QStringLiteral("\",\"");
        QTest::newRow("leading quote") << QStringLiteral("\"x\" y") << QStringLiteral("\"\"\"x\"\" y\"");
        QTest::newRow("quote alone") << QStringLiteral("\"") << QStringLiteral("\"\"\"\"");
        QTest::newRow("comma and quotes") << QStringLiteral("1\",\"2") << QStringLiteral("\"1\"\",\"\"2\"");
    }
    void field()
    {
        QFETCH(QString, value);
        QFETCH(QString, field);
        QCOMPARE(ValueLine::field(value), field);
    }

    void join()
    {
        QCOMPARE(ValueLine::join({}), QString());
        QCOMPARE(ValueLine::join({QString(), QString()}), QStringLiteral(","));
        QCOMPARE(ValueLine::join({QStringLiteral("1"), QStringLiteral("a,b"), QString()}),
                 QStringLiteral("1,\"a,b\","));
    }

    void breaksLine()
    {
        QVERIFY(ValueLine::breaksLine(QStringLiteral("a\nb")));
        QVERIFY(ValueLine::breaksLine(QStringLiteral("a\r")));
        QVERIFY(!ValueLine::breaksLine(QStringLiteral("a\tb \"c\"")));
    }

    void encodingFallsBackToUtf8WithItsMark_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QString() << QByteArray();
        QTest::newRow("code page 932") << QStringLiteral("ｶﾅ,指標\r\n") << QByteArray("\xb6\xc5,\x8e\x77\x95\x57\r\n");
        QTest::newRow("euro") << QStringLiteral("ｶﾅ€") << QByteArray("\xEF\xBB\xBF\xEF\xBD\xB6\xEF\xBE\x85\xE2\x82\xAC");
    }
    void encodingFallsBackToUtf8WithItsMark()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(TextFileOutput::encode(text), bytes);
    }
};

QTEST_GUILESS_MAIN(TestValueLine)
#include "tst_valueline.moc"
