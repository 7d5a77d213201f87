#include "indicators/Stepping.h"
#include "store/Errors.h"
#include <QtTest>

// The month and day stepping rules and IsNum, without a window.
class TestStepping : public QObject {
    Q_OBJECT
private slots:
    void isNum_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("numeric");
        QTest::newRow("empty") << "" << true;
        QTest::newRow("digits") << "0123456789" << true;
        QTest::newRow("sign alone") << "-" << true;
        QTest::newRow("sign anywhere") << "1-2-" << true;
        QTest::newRow("full-width digit") << "１" << false;
        QTest::newRow("letter") << "1a" << false;
        QTest::newRow("blank") << " 1" << false;
        QTest::newRow("plus") << "+1" << false;
    }
    void isNum()
    {
        QFETCH(QString, text);
        QFETCH(bool, numeric);
        QCOMPARE(IsNum(text), numeric);
    }

    void step_data()
    {
        QTest::addColumn<bool>("month");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("result"); // or the error text
        const int up = Qt::Key_Up, down = Qt::Key_Down, right = Qt::Key_Right;
        QTest::newRow("12 up wraps to 01") << true << "12" << up << "01";
        QTest::newRow("01 down gives 00") << true << "01" << down << "00";
        QTest::newRow("00 down gives 12") << true << "00" << down << "12";
        QTest::newRow("7 up gives 08") << true << "7" << up << "08";
        QTest::newRow("09 up gives 10") << true << "09" << up << "10";
        QTest::newRow("letters up") << true << "ab" << up << "01";
        QTest::newRow("letters down") << true << "ab" << down << "12";
        QTest::newRow("letters right") << true << "ab" << right << "00";
        QTest::newRow("numeric right stays") << true << "5" << right << "5";
        QTest::newRow("above bound down") << true << "15" << down << "14";
        QTest::newRow("above bound up") << true << "15" << up << "01";
        QTest::newRow("full-width from 00") << true << "１２" << up << "01";
        QTest::newRow("day 31 up") << false << "31" << up << "01";
        QTest::newRow("day 00 down") << false << "00" << down << "31";
        QTest::newRow("day 12 up") << false << "12" << up << "13";
        QTest::newRow("empty") << false << "" << up << "'' は整数ではありません";
        QTest::newRow("sign alone") << true << "-" << down << "'-' は整数ではありません";
        QTest::newRow("sign inside") << true << "1-2" << right << "'1-2' は整数ではありません";
        QTest::newRow("beyond 32 bits") << true << "2147483648" << up << "'2147483648' は整数ではありません";
        QTest::newRow("overflow up") << false << "2147483647" << up << "整数のオーバーフロー";
        QTest::newRow("overflow down") << false << "-2147483648" << down << "整数のオーバーフロー";
    }
    void step()
    {
        QFETCH(bool, month);
        QFETCH(QString, text);
        QFETCH(int, key);
        QFETCH(QString, result);
        QString stepped = text;
        try {
            month ? ucMM(stepped, key) : ucDD(stepped, key);
            QCOMPARE(stepped, result);
        } catch (const ConversionError &e) {
            QCOMPARE(e.text(), result);
            QCOMPARE(stepped, text); // left as it was
        }
    }
};

QTEST_GUILESS_MAIN(TestStepping)
#include "tst_stepping.moc"
