#include "store/NumberLiteral.h"
#include <QRandomGenerator>
#include <QtTest>
#include <cmath>
#include <sqlite3.h>

// The rule for values written unquoted: a table of texts, and the rule set
// against SQLite itself on generated texts.
class TestNumberLiteral : public QObject {
    Q_OBJECT

    sqlite3 *db = nullptr;

    bool prepares(const QByteArray &sql, sqlite3_stmt **stmt)
    {
        const char *tail = nullptr;
        const int rc = sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), stmt, &tail);
        return rc == SQLITE_OK && *stmt && tail == sql.constData() + sql.size();
    }

    // What SQLite makes of the text where the builder puts it: one literal
    // (a column default takes a literal or a signed number and no
    // expression; parentheses would make it one), and as a value an integer
    // or a finite real.
    bool sqliteReadsOneFiniteNumber(const QString &text)
    {
        const QByteArray utf8 = text.toUtf8();
        if (text.trimmed().startsWith(QLatin1Char('(')))
            return false;
        sqlite3_stmt *stmt = nullptr;
        const bool literal = prepares("create table t(x default " + utf8 + ")", &stmt);
        sqlite3_finalize(stmt);
        stmt = nullptr;
        if (!literal)
            return false;
        bool number = false;
        if (prepares("select " + utf8, &stmt) && sqlite3_step(stmt) == SQLITE_ROW) {
            const int type = sqlite3_column_type(stmt, 0);
            number = type == SQLITE_INTEGER
                     || (type == SQLITE_FLOAT && std::isfinite(sqlite3_column_double(stmt, 0)));
        }
        sqlite3_finalize(stmt);
        return number;
    }

private slots:
    void initTestCase() { QCOMPARE(sqlite3_open(":memory:", &db), SQLITE_OK); }
    void cleanupTestCase() { sqlite3_close(db); }

    void table_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        const QString hundredsOfDigits = QStringLiteral("1") + QString(400, QLatin1Char('0'));
        const std::pair<QString, bool> cases[] = {
            {"12", true}, {"-7", true}, {"+7", true}, {"0", true}, {"007", true},
            {"1.5", true}, {"-1.5", true}, {".5", true}, {"5.", true}, {"3e-2", true}, {"3E+2", true},
            {"1e308", true}, {"1e-400", true}, {"99999999999999999999", true},
            {" 12 ", true}, {"\t12\r\n", true},
            {"0x1F", true}, {"0XaBc", true}, {"-0x10", true}, {"0xFFFFFFFFFFFFFFFF", true},
            {"0x0000000000000000001", true}, {"+0x8000000000000000", true}, {"-0x7FFFFFFFFFFFFFFF", true},
            // refused: statement text, expressions, no number, not finite
            {"5--", false}, {"1+1", false}, {"(select max(CNT) from AINDX)", false}, {"(1)", false},
            {"abc", false}, {"", false}, {" ", false}, {"-", false}, {".", false}, {"e5", false},
            {"1e", false}, {"1e+", false}, {"1.2.3", false}, {"--5", false}, {"+-5", false}, {"- 5", false},
            {"1 2", false}, {"5x", false}, {"0x", false}, {"0x1g", false}, {"0x1.5", false}, {"00x5", false},
            {"0x1FFFFFFFFFFFFFFFF", false}, {"-0x8000000000000000", false}, {"-0x08000000000000000", false},
            {"9e999", false}, {"-9e999", false}, {hundredsOfDigits, false}, {"5;", false},
            {"5/**/", false}, {"\v5", false}, {"5\v", false}, {"5\f", true}, {"１２", false}, {"1,5", false}, {"NULL", false}, {"'5'", false},
        };
        for (const auto &[text, accepted] : cases)
            QTest::newRow(qPrintable(text.left(30))) << text << accepted;
    }
    void table()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QCOMPARE(NumberLiteral::accepts(text), accepted);
    }

    // Texts from an alphabet of what numbers and statements are made of:
    // whatever the rule accepts SQLite reads as one finite number, and what
    // SQLite reads so is accepted, except after "--" (the rest is a comment
    // there), with a blank after the sign (a sign and a number there) or
    // with a vertical tab (white space to SQLite in some places only).
    void againstSqlite()
    {
        static const char alphabet[] = "0123456789012345678901234567890123456789..eeEE++--xX0aAfF  \t\n\v(1)9";
        QRandomGenerator random(20240517);
        int accepted = 0;
        for (int n = 0; n < 50000; ++n) {
            QString text;
            const int length = int(random.bounded(1, 12));
            for (int i = 0; i < length; ++i)
                text += QLatin1Char(alphabet[random.bounded(int(sizeof alphabet - 1))]);
            if (random.bounded(8) == 0)
                text = QStringLiteral("0x") + text;
            const bool rule = NumberLiteral::accepts(text);
            const bool sqlite = sqliteReadsOneFiniteNumber(text);
            accepted += rule;
            if (rule)
                QVERIFY2(sqlite, qPrintable(QStringLiteral("accepted, SQLite does not read it: [%1]").arg(QString::fromLatin1(text.toUtf8().toHex(' ')))));
            static const QRegularExpression signThenBlank(QStringLiteral("[+-]\\s"));
            if (sqlite && !text.contains(QLatin1String("--")) && !text.contains(QLatin1Char('\v'))
                && !signThenBlank.match(text).hasMatch())
                QVERIFY2(rule, qPrintable(QStringLiteral("refused, SQLite reads it: [%1]").arg(QString::fromLatin1(text.toUtf8().toHex(' ')))));
        }
        QVERIFY(accepted > 1000); // the generator reaches both sides
    }
};

QTEST_GUILESS_MAIN(TestNumberLiteral)
#include "tst_numberliteral.moc"
