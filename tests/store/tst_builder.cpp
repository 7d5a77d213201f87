#include "DictionaryFixture.h"
#include "ScriptedBoxes.h"
#include "WorkFolder.h"
#include "store/Errors.h"
#include "store/StoreRoutines.h"
#include "store/Tdm.h"
#include "store/TransactionGuard.h"
#include <QtTest>
#include <memory>

using DictionaryFixture::Column;

// The statement builder, the value formatter and the executor over a real
// SQDB.DB whose dictionary describes the table T1.
class TestBuilder : public QObject {
    Q_OBJECT

    std::unique_ptr<WorkFolder> folder;
    std::unique_ptr<ScriptedBoxes> boxes;
    std::unique_ptr<Tdm> dm;
    std::unique_ptr<StoreRoutines> r;

    Connection &db() { return dm->csq; }

    QString scalar(const QString &sql)
    {
        Dataset q(db(), QStringLiteral("probe"));
        q.setSql(sql);
        q.open();
        return q.text(0);
    }

    void fillSlots(const QStringList &values)
    {
        for (int i = 0; i < values.size(); ++i)
            r->sa[11 + i] = values[i];
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
        DictionaryFixture::createTables(db());
        DictionaryFixture::describeT1(db());
    }
    void cleanup()
    {
        r.reset();
        dm.reset();
        boxes.reset();
        folder.reset();
    }

    void statementsOfT1()
    {
        r->stnm = QStringLiteral("T1");
        r->swh = QStringLiteral(" order by CNT ");
        r->ucSql(1);
        QCOMPARE(r->sqw, QStringLiteral(" select CNT, NAME, MEMO from T1 order by CNT "));
        QVERIFY(dm->qst->eof());

        fillSlots({QStringLiteral("7"), QStringLiteral("abcdefgh"), QString()});
        r->ucSql(2);
        QCOMPARE(r->sqw, QStringLiteral(" insert into T1 ( CNT, NAME, MEMO ) values ( 7, 'abcdef', NULL ) "));
        QCOMPARE(r->sa[11], QStringLiteral("7"));
        QCOMPARE(r->sa[12], QStringLiteral("'abcdef'"));
        QCOMPARE(r->sa[13], QStringLiteral("NULL"));
        QCOMPARE(r->sa[1], QStringLiteral("7, 'abcdef', NULL"));

        fillSlots({QStringLiteral("7"), QStringLiteral("abcdefgh"), QString()});
        r->swh = QStringLiteral(" where CNT = 7  ");
        r->ucSql(3);
        QCOMPARE(r->sqw, QStringLiteral(" update T1 set CNT = 7, NAME = 'abcdef', MEMO = NULL where CNT = 7  "));

        r->ucSql(6);
        QCOMPARE(r->sqw, QStringLiteral(" create table if not exists T1( CNT Integer,  NAME nchar (6) ,  MEMO nchar (40) ) "));
    }

    void selectWithEmptyTailEndsWithTheTableName()
    {
        r->stnm = QStringLiteral("T1");
        r->swh.clear();
        r->ucSql(1);
        QCOMPARE(r->sqw, QStringLiteral(" select CNT, NAME, MEMO from T1"));
    }

    void buildingTwiceFormatsTwice()
    {
        r->stnm = QStringLiteral("T1");
        fillSlots({QStringLiteral("7"), QStringLiteral("abcdefgh"), QString()});
        r->ucSql(2);
        r->ucSql(2);
        // 'abcdef' is cut to 'abcde and its quotes doubled; NULL becomes a text.
        QCOMPARE(r->sqw, QStringLiteral(" insert into T1 ( CNT, NAME, MEMO ) values ( 7, '''abcde', 'NULL' ) "));
    }

    void ucNul_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("formatted");
        QTest::newRow("empty number") << "" << 1 << 0 << "NULL";
        QTest::newRow("empty text") << "" << 2 << 6 << "NULL";
        QTest::newRow("number unquoted") << "12" << 1 << 0 << "12";
        QTest::newRow("6 of 6 stays whole") << "abcdef" << 2 << 6 << "'abcdef'";
        QTest::newRow("7 of 6 loses the last") << "abcdefg" << 2 << 6 << "'abcdef'";
        QTest::newRow("length 0") << "abc" << 2 << 0 << "''";
        QTest::newRow("negative length") << "abc" << 2 << -1 << "''";
        QTest::newRow("blanks are a value") << "   " << 2 << 6 << "'   '";
        QTest::newRow("blanks unquoted") << "   " << 1 << 0 << "   ";
        QTest::newRow("quote doubled") << "O'Neil" << 2 << 10 << "'O''Neil'";
        QTest::newRow("cut before doubling") << "abcde'f" << 2 << 6 << "'abcde'''";
        QTest::newRow("UTF-16 units") << "経済指標記録" << 2 << 4 << "'経済指標'";
        // An emoji is two UTF-16 units: a cut between them goes before the pair.
        QTest::newRow("cut splits a pair") << "ab😀c" << 2 << 3 << "'ab'";
        QTest::newRow("cut after a pair") << "ab😀c" << 2 << 4 << "'ab😀'";
        QTest::newRow("pair alone, length 1") << "😀" << 2 << 1 << "''";
    }
    void ucNul()
    {
        QFETCH(QString, value);
        QFETCH(int, id);
        QFETCH(int, length);
        QFETCH(QString, formatted);
        StoreRoutines::ucNul(value, id, length);
        QCOMPARE(value, formatted);
    }

    // What reaches the table for each kind of column.
    void storedValues()
    {
        DictionaryFixture::describe(db(), 5, QStringLiteral("T2"),
                                    {{QStringLiteral("CNT"), QStringLiteral("Integer"), QString(), QString()},
                                     {QStringLiteral("A"), QStringLiteral("nchar"), QString(), QString()},
                                     {QStringLiteral("B"), QStringLiteral("VARCHAR"), QStringLiteral("3"), QString()},
                                     {QStringLiteral("C"), QStringLiteral("nchar"), QStringLiteral("8"), QString()}});
        r->uqCtbl(1);
        r->stnm = QStringLiteral("T2");
        fillSlots({QStringLiteral("1"), QStringLiteral("text"), QStringLiteral("12"), QStringLiteral("it's")});
        r->ucSql(2);
        // No length: an empty text. VARCHAR in capitals is no text column: 12
        // goes unquoted. A quote is doubled and so stored as typed.
        QCOMPARE(r->sqw, QStringLiteral(" insert into T2 ( CNT, A, B, C ) values ( 1, '', 12, 'it''s' ) "));
        r->uExSql();
        QCOMPARE(scalar(QStringLiteral("select quote(A) || '|' || C from T2")), QStringLiteral("''|it's"));

        fillSlots({QStringLiteral("2"), QString(), QStringLiteral("   "), QString()});
        r->ucSql(2);
        r->uExSql(); // blanks in a column that is no text column: refused without a word
        QCOMPARE(scalar(QStringLiteral("select count(*) from T2")), QStringLiteral("1"));
        QVERIFY(boxes->errors.isEmpty());
        QVERIFY_THROWS_EXCEPTION(DatabaseError, r->executeOrRaise());
    }

    // A value for a column that is no text column is a number or nothing:
    // anything else refuses the whole statement, silently through the
    // executor and with the reason through executeOrRaise; no row changes.
    void valuesThatAreNoNumberRefuseTheStatement_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("stored");
        QTest::newRow("number") << "12" << true;
        QTest::newRow("hex") << "0x10" << true;
        QTest::newRow("blanks round a real") << " -1.5e3 " << true;
        QTest::newRow("comment") << "5--" << false;
        QTest::newRow("subselect") << "(select max(CNT) from T1)" << false;
        QTest::newRow("sum") << "1+1" << false;
        QTest::newRow("infinite") << "9e999" << false;
        QTest::newRow("NULL as letters") << "NULL" << false;
    }
    void valuesThatAreNoNumberRefuseTheStatement()
    {
        QFETCH(QString, value);
        QFETCH(bool, stored);
        r->uqCtbl(1);
        db().execute(QStringLiteral("insert into T1 values (7, 'a', 'x'), (8, 'b', 'y')"));
        const QString all = QStringLiteral("select group_concat(quote(CNT) || quote(NAME) || quote(MEMO), ',') from T1");
        const QString before = scalar(all);
        r->stnm = QStringLiteral("T1");

        fillSlots({value, QStringLiteral("new"), QString()});
        r->swh = QStringLiteral(" where CNT = 7  ");
        r->ucSql(3);
        if (stored) {
            r->executeOrRaise();
            QCOMPARE(scalar(QStringLiteral("select count(*) from T1 where NAME = 'new'")), QStringLiteral("1"));
            return;
        }
        QCOMPARE(r->sqw, QString());
        r->uExSql();
        QCOMPARE(scalar(all), before);
        try {
            r->executeOrRaise();
            QFAIL("a value that is no number was written");
        } catch (const DatabaseError &e) {
            QVERIFY2(e.text().contains(value) && e.text().contains(QStringLiteral("CNT")), qPrintable(e.text()));
        }
        fillSlots({QStringLiteral("9"), QStringLiteral("new"), value});
        r->ucSql(2);
        QVERIFY(r->sqw.contains(QStringLiteral("'new'"))); // a text column takes any text
        fillSlots({QStringLiteral("9"), QStringLiteral("new"), QString()});
        r->sa[11] = value;
        r->ucSql(2);
        r->uExSql();
        QCOMPARE(scalar(all), before);
        QVERIFY(boxes->errors.isEmpty());

        // The next statement is built and run as usual.
        fillSlots({QStringLiteral("9"), QStringLiteral("c"), QString()});
        r->ucSql(2);
        r->executeOrRaise();
        QCOMPARE(scalar(QStringLiteral("select count(*) from T1")), QStringLiteral("3"));
    }

    // Inside a caller's transaction (an import) a refused statement undoes
    // only itself: the lines before it stay and are committed with the rest.
    void executorInsideATransaction()
    {
        r->uqCtbl(1);
        r->stnm = QStringLiteral("T1");
        TransactionGuard import(db(), TransactionGuard::Transaction);
        auto line = [&](const QString &cnt) {
            fillSlots({cnt, QStringLiteral("n") + cnt, QString()});
            r->ucSql(2);
            r->uExSql();
        };
        line(QStringLiteral("1"));
        r->sqw = QStringLiteral(" insert into NoSuchTable values (1) "); // the database refuses it
        r->uExSql();
        line(QStringLiteral("x")); // the rule refuses it
        line(QStringLiteral("3"));
        QVERIFY(db().inTransaction());
        import.commit();
        QCOMPARE(scalar(QStringLiteral("select group_concat(NAME) from T1")), QStringLiteral("n1,n3"));
    }

    // Statements built line by line read the look-ups once: the column rows
    // are rewound for every further line, and the same texts and rows come out.
    void insertsLineByLineReadTheLookUpsOnce()
    {
        r->uqCtbl(1);
        r->stnm = QStringLiteral("T1");
        QSignalSpy reads(dm->qst, &Dataset::opened);
        for (int line = 1; line <= 3; ++line) {
            fillSlots({QString::number(line), QStringLiteral("abcdefgh"), QString()});
            r->ucSql(2);
            QCOMPARE(r->sqw, QStringLiteral(" insert into T1 ( CNT, NAME, MEMO ) values ( %1, 'abcdef', NULL ) ").arg(line));
            r->uExSql();
        }
        QCOMPARE(reads.count(), 1);
        QCOMPARE(dm->qq->sql(), QStringLiteral(" select * from AAATBN  where TNAM = 'T1' "));
        QVERIFY(!dm->qq->isOpen());
        QCOMPARE(scalar(QStringLiteral("select group_concat(CNT || NAME, ' ') from T1")),
                 QStringLiteral("1abcdef 2abcdef 3abcdef"));
    }

    // Whatever changes the dictionary between two lines, or undoes a change,
    // the next line is built from the dictionary as it then is.
    void aChangedDictionaryIsReadAgain()
    {
        r->uqCtbl(1);
        auto nameAsStored = [&] {
            r->stnm = QStringLiteral("T1");
            fillSlots({QStringLiteral("1"), QStringLiteral("abcdefgh"), QString()});
            r->ucSql(2);
            r->uExSql();
            return r->sa[12];
        };
        auto nameLength = [](int length) {
            return QStringLiteral(" update AAATST set LN = %1 where CNAM = 'NAME' ").arg(length);
        };
        QCOMPARE(nameAsStored(), QStringLiteral("'abcdef'"));

        r->sqw = nameLength(5);
        r->uExSql();
        QCOMPARE(nameAsStored(), QStringLiteral("'abcde'"));

        db().execute(nameLength(4));
        QCOMPARE(nameAsStored(), QStringLiteral("'abcd'"));

        {
            Dataset grid(db(), QStringLiteral("grid"));
            grid.setEditable(true);
            grid.setSql(QStringLiteral(" select * from AAATST where CNAM = 'NAME' "));
            grid.open();
            grid.setFieldText(grid.requireField(QStringLiteral("LN")), QStringLiteral("3"));
            grid.post();
        }
        QCOMPARE(nameAsStored(), QStringLiteral("'abc'"));

        {
            TransactionGuard undone(db(), TransactionGuard::Transaction);
            r->sqw = nameLength(2);
            r->uExSql();
            QCOMPARE(nameAsStored(), QStringLiteral("'ab'"));
        }
        QCOMPARE(nameAsStored(), QStringLiteral("'abc'"));

        // Changed by another program while the connection was closed.
        db().close();
        {
            Connection other;
            other.open(folder->database());
            other.execute(nameLength(1));
        }
        r->uqCtbl(4);
        QCOMPARE(nameAsStored(), QStringLiteral("'a'"));
    }

    void updateWithEmptyTailChangesEveryRow()
    {
        r->uqCtbl(1);
        db().execute(QStringLiteral("insert into T1 values (1, 'a', 'x'), (2, 'b', 'y')"));
        r->stnm = QStringLiteral("T1");
        r->swh.clear();
        fillSlots({QStringLiteral("9"), QStringLiteral("z"), QString()});
        r->ucSql(3);
        r->uExSql();
        QCOMPARE(scalar(QStringLiteral("select group_concat(CNT || NAME || ifnull(MEMO, '-')) from T1")),
                 QStringLiteral("9z-,9z-"));
    }

    void fiftyColumnsFitSixtySlots()
    {
        std::vector<Column> columns;
        for (int k = 1; k <= 51; ++k)
            columns.push_back({QStringLiteral("C%1").arg(k), QStringLiteral("Integer"), QString(), QString()});
        std::vector<Column> fifty(columns.begin(), columns.begin() + 50);
        DictionaryFixture::describe(db(), 6, QStringLiteral("W50"), fifty);
        DictionaryFixture::describe(db(), 7, QStringLiteral("W51"), columns);
        r->uqCtbl(1);

        r->stnm = QStringLiteral("W50");
        for (int i = 11; i <= 60; ++i)
            r->sa[i] = QString::number(i);
        r->ucSql(2);
        QVERIFY(r->sqw.endsWith(QStringLiteral(", 59, 60 ) ")));
        r->executeOrRaise();
        QCOMPARE(scalar(QStringLiteral("select C50 from W50")), QStringLiteral("60"));

        r->stnm = QStringLiteral("W51");
        r->sqw.clear();
        for (int id : {2, 3}) {
            try {
                r->ucSql(id);
                QFAIL("a table of 51 columns was built");
            } catch (const DatabaseError &e) {
                QVERIFY(e.text().contains(QStringLiteral("W51")));
            }
        }
        QCOMPARE(scalar(QStringLiteral("select count(*) from W51")), QStringLiteral("0"));
    }

    void tableCheck()
    {
        // T1 has TBID 4; T3 is described under TBID 3 and is never created.
        DictionaryFixture::describe(db(), 3, QStringLiteral("T3"),
                                    {{QStringLiteral("CNT"), QStringLiteral("Integer"), QString(), QString()}});
        db().execute(QStringLiteral("insert into AAATBN (CNT, TNAM) values (0, 'TNULL')")); // empty TBID reads as 0
        r->uqCtbl(1);
        QCOMPARE(r->stdb, QStringLiteral("csq"));
        QCOMPARE(scalar(QStringLiteral("select group_concat(name) from sqlite_master where type = 'table' and name like 'T%'")),
                 QStringLiteral("T1"));
        QCOMPARE(r->sqw, QStringLiteral(" create table if not exists T1( CNT Integer,  NAME nchar (6) ,  MEMO nchar (40) ) "));

        // An existing table is never changed, even when it no longer matches.
        db().execute(QStringLiteral("drop table T1"));
        db().execute(QStringLiteral("create table T1 (X)"));
        r->uqCtbl(1);
        QCOMPARE(r->sqw, QStringLiteral("select COUNT(*) as CNT from sqlite_master  where type = 'table' and name = 'T1' "));
        QCOMPARE(scalar(QStringLiteral("select group_concat(name) from pragma_table_info('T1')")), QStringLiteral("X"));
    }

    void lookupIsExactAndCaseSensitive()
    {
        r->stnm = QStringLiteral("T1");
        r->uqTst(1);
        QCOMPARE(r->stid, QStringLiteral("4"));
        QCOMPARE(dm->qq->sql(), QStringLiteral(" select * from AAATBN  where TNAM = 'T1' "));
        QCOMPARE(dm->qst->sql(), QStringLiteral(" select * from AAATST  where TBID = 4 order by CNT "));
        QVERIFY(!dm->qq->isOpen());
        QCOMPARE(dm->qst->currentRow(), 0);

        r->stnm = QStringLiteral("t1");
        r->uqTst(2);
        QCOMPARE(boxes->messages, QStringList{QStringLiteral("t1 ﾃｰﾌﾞﾙ名が見つかりません")});
        QCOMPARE(r->stid, QStringLiteral("4")); // keeps the id found before
        QVERIFY(dm->qq->isOpen());
    }

    void displayWidths()
    {
        r->uqCtbl(1);
        r->stnm = QStringLiteral("T1");
        r->swh.clear();
        r->ucSql(1);
        dm->qw->setSql(r->sqw);
        dm->qw->open();
        r->applyDisplayWidths(*dm->qw);
        QCOMPARE(dm->qw->displayWidth(0), 4);
        QCOMPARE(dm->qw->displayWidth(1), 12);
        QCOMPARE(dm->qw->displayWidth(2), 40); // no DPW: the default from nchar(40)
    }

    void connecting()
    {
        // A folder without SQDB.DB: the file is created, the table check fails.
        WorkFolder empty;
        Tdm other;
        StoreRoutines s;
        s.setDataModule(&other);
        s.uqCtbl(4);
        QVERIFY(QFile::exists(empty.database()));
        try {
            s.uqCtbl(1);
            QFAIL("no error for a missing dictionary");
        } catch (const DatabaseError &e) {
            QVERIFY2(e.text().contains(QStringLiteral("AAATBN")), qPrintable(e.text()));
        }

        // A file that is no database.
        other.csq.close();
        QFile file(empty.database());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'x'));
        file.close();
        QVERIFY_THROWS_EXCEPTION(DatabaseError, s.uqCtbl(4));
        QVERIFY(!other.csq.isOpen());
    }
};

QTEST_GUILESS_MAIN(TestBuilder)
#include "tst_builder.moc"
