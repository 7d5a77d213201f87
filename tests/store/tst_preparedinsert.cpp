#include "DictionaryFixture.h"
#include "ScriptedBoxes.h"
#include "WorkFolder.h"
#include "store/Errors.h"
#include "store/NumberLiteral.h"
#include "store/PreparedInsert.h"
#include "store/StoreRoutines.h"
#include "store/Tdm.h"
#include <QtTest>
#include <memory>

namespace {

using DictionaryFixture::Column;

// A whole-number, a real and a short text column, described alike for the
// literal table TL and the bound table TB.
const std::vector<Column> kColumns = {
    {QStringLiteral("N"), QStringLiteral("Integer"), QString(), QString()},
    {QStringLiteral("R"), QStringLiteral("float"), QString(), QString()},
    {QStringLiteral("T"), QStringLiteral("nchar"), QStringLiteral("3"), QString()},
    {QStringLiteral("Z"), QStringLiteral("varchar"), QString(), QString()}, // no length: cut to nothing
};

} // namespace

// The prepared insert against the builder's literal statement: every value
// in every column gives the same stored row, or the same refusal.
class TestPreparedInsert : public QObject {
    Q_OBJECT

    std::unique_ptr<WorkFolder> folder;
    std::unique_ptr<ScriptedBoxes> boxes;
    std::unique_ptr<Tdm> dm;
    std::unique_ptr<StoreRoutines> r;

    QString rows(const char *table)
    {
        Dataset q(dm->csq, QStringLiteral("probe"));
        q.setSql(QStringLiteral("select group_concat(quote(N) || typeof(N) || ' ' || quote(R) || typeof(R) || ' ' || "
                                "quote(T) || typeof(T) || ' ' || quote(Z) || typeof(Z), ' | ') from %1")
                     .arg(QLatin1String(table)));
        q.open();
        return q.text(0);
    }

    // The literal path: the number rule for unquoted values, then the
    // builder's statement, run as the import runs it.
    bool literal(const QStringList &values)
    {
        r->stnm = QStringLiteral("TL");
        r->uqTst(1);
        for (int k = 0; k < values.size(); ++k) {
            const bool text = k >= 2;
            if (!text && !values[k].isEmpty() && !NumberLiteral::accepts(values[k]))
                return false;
            r->sa[11 + k] = values[k];
        }
        try {
            r->ucSql(2);
            dm->csq.execute(r->sqw);
        } catch (const AppError &) {
            return false;
        }
        return true;
    }

private slots:
    void init()
    {
        folder = std::make_unique<WorkFolder>();
        boxes = std::make_unique<ScriptedBoxes>();
        dm = std::make_unique<Tdm>();
        r = std::make_unique<StoreRoutines>();
        r->setDataModule(dm.get());
        r->uqCtbl(4);
        DictionaryFixture::createTables(dm->csq);
        DictionaryFixture::describe(dm->csq, 4, QStringLiteral("TL"), kColumns);
        DictionaryFixture::describe(dm->csq, 5, QStringLiteral("TB"), kColumns);
        r->uqCtbl(1);
    }
    void cleanup()
    {
        r.reset();
        dm.reset();
        boxes.reset();
        folder.reset();
    }

    void columnsAreTheBuildersOwn()
    {
        r->stnm = QStringLiteral("TB");
        const std::vector<PreparedInsert::Column> columns = r->insertColumns();
        QCOMPARE(int(columns.size()), 4);
        QCOMPARE(columns[2].name, QStringLiteral("T"));
        QVERIFY(!columns[0].text && !columns[1].text && columns[2].text && columns[3].text);
        QCOMPARE(columns[2].length, 3);
        QCOMPARE(columns[3].length, 0);
    }

    void sameRowAsTheLiteralStatement_data()
    {
        QTest::addColumn<QString>("value");
        const char *values[] = {
            "", " ", "12", " 12 ", "\t7", "+5", "-5", "-0", "007", "1.5", "1.", ".5", "-.5", "1e3", "1E-2",
            "-1.5e+2", "1e308", "0x1F", "0XfF", "-0x10", "0x7FFFFFFFFFFFFFFF", "0xFFFFFFFFFFFFFFFF",
            "123456789012345678", "-123456789012345678", "1234567890123456789", "9223372036854775807",
            "9223372036854775808", "-9223372036854775808", "-9223372036854775809", "99999999999999999999",
            "1+1", "(select 1)", "abc", "1e", "5--", "'x'", "ab'c", "1'", "長い長いテキスト", "ab\xF0\x9F\x98\x80",
            "1,2", "--", "1 2",
        };
        for (const char *v : values)
            QTest::newRow(v) << QString::fromUtf8(v);
        QTest::newRow("U+0000 inside") << QStringLiteral("a") + QChar(u'\0') + QStringLiteral("b");
    }
    void sameRowAsTheLiteralStatement()
    {
        QFETCH(QString, value);
        r->stnm = QStringLiteral("TB");
        PreparedInsert insert(dm->csq, QStringLiteral("TB"), r->insertColumns());
        for (int column = 0; column < 4; ++column) {
            QStringList values(4);
            values[column] = value;
            values[(column + 1) % 4] = QStringLiteral("1"); // a neighbour with a value
            std::array<QString, 4> values4;
            std::copy(values.begin(), values.end(), values4.begin());
            PreparedInsert::Outcome outcome = insert.run(values4.data());
            bool stored = outcome == PreparedInsert::Outcome::Stored;
            if (outcome == PreparedInsert::Outcome::NeedsLiteral) {
                // The import runs the builder's statement for such a row.
                QVERIFY(value.contains(QChar(u'\0')) || column < 2);
                r->stnm = QStringLiteral("TB");
                for (int k = 0; k < 4; ++k)
                    r->sa[11 + k] = values[k];
                try {
                    r->ucSql(2);
                    dm->csq.execute(r->sqw);
                    stored = true;
                } catch (const AppError &) {
                }
            }
            QCOMPARE(stored, literal(values));
            QCOMPARE(rows("TB"), rows("TL"));
        }
    }

    // One insert run for row after row stores each row as the literal
    // statement does, whether a value repeats the one before, changes, is
    // cut alike or turns NULL.
    void rowAfterRowAsTheLiteralStatement()
    {
        const QStringList rowsInTurn[] = {
            {"1", "5", "円", "x"},   {"1", "5", "円", "x"},     {"2", "", "ﾄﾞﾙ円", ""}, {"", "5", "abc", "y"},
            {"", "-5", "円", "yy"}, {"2", "-5", "ﾄﾞﾙ", "z"}, {"2", "1", "ab\U0001F600", ""}, {"", "", "", ""},
            {"3", "1", "ab", "z"},
        };
        r->stnm = QStringLiteral("TB");
        PreparedInsert insert(dm->csq, QStringLiteral("TB"), r->insertColumns());
        for (const QStringList &values : rowsInTurn) {
            std::array<QString, 4> values4;
            std::copy(values.begin(), values.end(), values4.begin());
            QCOMPARE(insert.run(values4.data()), PreparedInsert::Outcome::Stored);
            QVERIFY(literal(values));
        }
        QCOMPARE(rows("TB"), rows("TL"));
    }

    // Plain whole numbers and texts never need the literal statement: the
    // import's prices and stamps take the bound path.
    void pricesAndStampsAreBound()
    {
        r->stnm = QStringLiteral("TB");
        PreparedInsert insert(dm->csq, QStringLiteral("TB"), r->insertColumns());
        std::array<QString, 4> values4{QStringLiteral("130123"), QStringLiteral("-5"), QStringLiteral("2023"),
                                     QString()};
        QCOMPARE(insert.run(values4.data()), PreparedInsert::Outcome::Stored);
        values4[0] = QStringLiteral("1234.5");
        QCOMPARE(insert.run(values4.data()), PreparedInsert::Outcome::NeedsLiteral);
        values4[0] = QStringLiteral("1+1");
        QCOMPARE(insert.run(values4.data()), PreparedInsert::Outcome::Refused);
        QCOMPARE(rows("TB"), QStringLiteral("130123integer -5.0real '202'text NULLnull"));
    }

    // Inside a transaction a refused row is undone alone.
    void refusedRowLeavesTheTransaction()
    {
        dm->csq.execute(QStringLiteral("create trigger refuse before insert on TB when new.N = 13 "
                                       "begin select raise(abort, 'no 13'); end"));
        r->stnm = QStringLiteral("TB");
        PreparedInsert insert(dm->csq, QStringLiteral("TB"), r->insertColumns());
        dm->csq.execute(QStringLiteral("begin"));
        std::array<QString, 4> values4{QStringLiteral("1")};
        QCOMPARE(insert.run(values4.data()), PreparedInsert::Outcome::Stored);
        values4[0] = QStringLiteral("13");
        QCOMPARE(insert.run(values4.data()), PreparedInsert::Outcome::Refused);
        QVERIFY(dm->csq.inTransaction());
        dm->csq.execute(QStringLiteral("commit"));
        QCOMPARE(rows("TB"), QStringLiteral("1integer NULLnull NULLnull NULLnull"));
    }
};

QTEST_GUILESS_MAIN(TestPreparedInsert)
#include "tst_preparedinsert.moc"
