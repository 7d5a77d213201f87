#include "store/Errors.h"
#include "store/WholeNumber.h"
#include <QtTest>

class TestWholeNumber : public QObject {
    Q_OBJECT
private slots:
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("value");
        QTest::newRow("digits") << "42" << true << 42;
        QTest::newRow("leading zero") << "07" << true << 7;
        QTest::newRow("negative") << "-15" << true << -15;
        QTest::newRow("max") << "2147483647" << true << 2147483647;
        QTest::newRow("min") << "-2147483648" << true << int(-2147483647 - 1);
        QTest::newRow("beyond max") << "2147483648" << false << 0;
        QTest::newRow("beyond min") << "-2147483649" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("sign only") << "-" << false << 0;
        QTest::newRow("sign inside") << "1-2" << false << 0;
        QTest::newRow("full-width digits") << "１２" << false << 0;
        QTest::newRow("decimal point") << "1.5" << false << 0;
        QTest::newRow("blank") << " 1" << false << 0;
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, value);
        if (valid) {
            QCOMPARE(WholeNumber::parse(text), value);
            return;
        }
        try {
            WholeNumber::parse(text);
            QFAIL("no error raised");
        } catch (const ConversionError &e) {
            QCOMPARE(e.text(), QStringLiteral("'%1' は整数ではありません").arg(text));
        }
    }

    void overflowRaisesInsteadOfWrapping()
    {
        QCOMPARE(WholeNumber::add(2147483646, 1), 2147483647);
        QCOMPARE(WholeNumber::subtract(-2147483647, 1), int(-2147483647 - 1));
        for (auto step : {+1, -1}) {
            try {
                step > 0 ? WholeNumber::add(2147483647, 1) : WholeNumber::subtract(-2147483647 - 1, 1);
                QFAIL("no error raised");
            } catch (const ConversionError &e) {
                QCOMPARE(e.text(), QStringLiteral("整数のオーバーフロー"));
            }
        }
    }

    void emptyReadsAsZeroWhereAllowed()
    {
        QCOMPARE(WholeNumber::parseOrZero(QString()), 0);
        QVERIFY_THROWS_EXCEPTION(ConversionError, WholeNumber::parseOrZero(QStringLiteral("x")));
    }
};

QTEST_GUILESS_MAIN(TestWholeNumber)
#include "tst_wholenumber.moc"
