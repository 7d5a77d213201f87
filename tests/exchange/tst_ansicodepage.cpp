#include "exchange/AnsiCodePage.h"
#include <QtTest>

class TestAnsiCodePage : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ascii") << QStringLiteral("USD,1.5") << QByteArray("USD,1.5");
        QTest::newRow("kanji") << QStringLiteral("雇用統計") << QByteArray::fromHex("8cd99770939d8c76");
        QTest::newRow("half-width kana") << QStringLiteral("ｸﾞﾗﾌ") << QByteArray::fromHex("b8ded7cc");
        QTest::newRow("vendor extensions") << QStringLiteral("①髙～") << QByteArray::fromHex("8740fbfc8160");
    }
    void roundTrip()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(AnsiCodePage::encode(text), std::optional<QByteArray>(bytes));
        QCOMPARE(AnsiCodePage::decode(bytes), text);
    }

    void unencodableIsNothing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("euro") << QStringLiteral("1€");
        QTest::newRow("emoji") << QString::fromUtf8("指標😀");
    }
    void unencodableIsNothing()
    {
        QFETCH(QString, text);
        QCOMPARE(AnsiCodePage::encode(text), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestAnsiCodePage)
#include "tst_ansicodepage.moc"
