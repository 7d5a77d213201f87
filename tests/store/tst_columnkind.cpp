#include "store/ColumnKind.h"
#include <QtTest>

using ColumnKind::Kind;

Q_DECLARE_METATYPE(ColumnKind::Kind)

// The one reading of a column's kind: the dictionary's KT as the builder
// reads it, and a declared type as the queries and grids read it.
class TestColumnKind : public QObject {
    Q_OBJECT

private slots:
    void kinds_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<Kind>("expected");
        QTest::addColumn<int>("size");
        QTest::newRow("KT nchar") << QStringLiteral("nchar") << Kind::Text << 0;
        QTest::newRow("KT varchar") << QStringLiteral("varchar") << Kind::Text << 0;
        QTest::newRow("KT in capitals is no text kind") << QStringLiteral("VARCHAR") << Kind::Other << 0;
        QTest::newRow("declared with a size") << QStringLiteral("nchar(10)") << Kind::Other << 10;
        QTest::newRow("size with blanks") << QStringLiteral("nchar( 4 )") << Kind::Other << 4;
        QTest::newRow("Integer") << QStringLiteral("Integer") << Kind::WholeNumber << 0;
        QTest::newRow("bigint") << QStringLiteral("bigint") << Kind::WholeNumber << 0;
        QTest::newRow("real") << QStringLiteral("real") << Kind::Number << 0;
        QTest::newRow("double") << QStringLiteral("DOUBLE PRECISION") << Kind::Number << 0;
        QTest::newRow("decimal, first size") << QStringLiteral("decimal(10,2)") << Kind::Number << 10;
        QTest::newRow("numeric") << QStringLiteral("Numeric") << Kind::Number << 0;
        QTest::newRow("no type") << QString() << Kind::Other << 0;
        QTest::newRow("text") << QStringLiteral("TEXT") << Kind::Other << 0;
    }
    void kinds()
    {
        QFETCH(QString, kind);
        QFETCH(Kind, expected);
        QFETCH(int, size);
        QCOMPARE(ColumnKind::of(kind), expected);
        QCOMPARE(ColumnKind::declaredSize(kind), size);
    }
};

QTEST_GUILESS_MAIN(TestColumnKind)
#include "tst_columnkind.moc"
