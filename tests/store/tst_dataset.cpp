#include "WorkFolder.h"
#include "store/Connection.h"
#include "store/Dataset.h"
#include "store/Errors.h"
#include "store/ForwardWalk.h"
#include <QSignalSpy>
#include <QtTest>

// The query abstraction: reading on demand, the cursor, fields as text.
class TestDataset : public QObject {
    Q_OBJECT

    WorkFolder folder;
    Connection db;

private slots:
    void initTestCase()
    {
        db.open(folder.database());
        db.execute(QStringLiteral("create table P (CNT Integer, NAME nchar(10), V Integer)"));
        db.execute(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < 1000) "
                                  "insert into P select i, 'n' || i, case when i % 2 then i end from n"));
    }

    void opensOnTheFirstRowsOnly()
    {
        Dataset q(db, QStringLiteral("q"));
        q.setSql(QStringLiteral("select CNT, NAME, V from P order by CNT"));
        q.open();
        QVERIFY(q.rowCount() < 1000);
        QVERIFY(q.canFetchMore());
        QCOMPARE(q.currentRow(), 0);
        QVERIFY(q.bof() && !q.eof());
        QCOMPARE(q.text(QStringLiteral("name")), QStringLiteral("n1"));
        QCOMPARE(q.declaredType(1), QStringLiteral("nchar(10)"));
        QVERIFY(q.isWholeNumberField(0) && !q.isWholeNumberField(1));

        q.last();
        QCOMPARE(q.rowCount(), 1000);
        QVERIFY(q.eof() && !q.canFetchMore());
        QCOMPARE(q.text(0), QStringLiteral("1000"));
        QCOMPARE(q.text(2), QString()); // NULL reads as an empty text
    }

    void cursorEnds()
    {
        Dataset q(db, QStringLiteral("q"));
        q.setSql(QStringLiteral("select CNT from P where CNT <= 2 order by CNT"));
        q.open();
        q.next();
        QVERIFY(!q.eof() && !q.bof());
        q.next(); // no further row: stays on the last and reaches its end
        QVERIFY(q.eof());
        QCOMPARE(q.text(0), QStringLiteral("2"));
        q.first();
        QVERIFY(q.bof() && !q.eof());
        q.prior();
        QVERIFY(q.bof());
        QCOMPARE(q.currentRow(), 0);

        // Walking to the end visits every row once.
        QStringList seen;
        for (q.first(); !q.eof(); q.next())
            seen << q.text(0);
        QCOMPARE(seen, (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
    }

    void emptyResult()
    {
        Dataset q(db, QStringLiteral("q"));
        q.setSql(QStringLiteral("select CNT from P where 0"));
        q.open();
        QVERIFY(q.isEmpty() && q.eof() && q.bof());
        QCOMPARE(q.currentRow(), -1);
        QCOMPARE(q.text(0), QString());
        q.next();
        q.last();
        QVERIFY(q.eof());
    }

    void errors()
    {
        Dataset q(db, QStringLiteral("q"));
        q.setSql(QStringLiteral("select CNT from nowhere"));
        try {
            q.open();
            QFAIL("opened a refused statement");
        } catch (const DatabaseError &e) {
            QVERIFY(e.text().contains(QStringLiteral("nowhere")));
        }
        QVERIFY(!q.isOpen());
        QVERIFY_THROWS_EXCEPTION(DatabaseError, q.text(0));

        q.setSql(QStringLiteral("select CNT from P"));
        q.open();
        QVERIFY_THROWS_EXCEPTION(DatabaseError, q.text(QStringLiteral("NOPE")));
    }

    void newStatementOrClosedConnectionClosesTheQuery()
    {
        Connection other;
        other.open(folder.file(QStringLiteral("other.db")));
        Dataset q(other, QStringLiteral("q"));
        q.setSql(QStringLiteral("select 1"));
        q.open();
        QSignalSpy closed(&q, &Dataset::closed);
        q.setSql(QStringLiteral("select 2"));
        QVERIFY(!q.isOpen());
        q.open();
        other.close();
        QVERIFY(!q.isOpen());
        QCOMPARE(closed.size(), 2);
    }

    // A walk tells no one while it moves; past the rows read it keeps only
    // the row it stands on, and the rows after it are read on as before.
    void quietWalkForward()
    {
        Dataset q(db, QStringLiteral("q"));
        q.setEditable(true);
        q.setSql(QStringLiteral("select CNT, NAME from P order by CNT"));
        q.open();
        QSignalSpy moved(&q, &Dataset::currentChanged);
        QSignalSpy replaced(&q, &Dataset::rowsReplaced);
        {
            ForwardWalk walk(q);
            for (int i = 1; i < 600; ++i)
                q.walkNext();
            QCOMPARE(q.text(0), QStringLiteral("600"));
            QCOMPARE(q.rowCount(), 1);
            QVERIFY(moved.isEmpty() && replaced.isEmpty());
        }
        QCOMPARE(replaced.size(), 1);
        QCOMPARE(moved.size(), 1);
        QCOMPARE(q.currentRow(), 0);
        QCOMPARE(q.rowIdAt(0), 600); // the rows went in in CNT order
        q.next();
        QCOMPARE(q.text(0), QStringLiteral("601"));

        // To the end: the last row stays current, and an error-free end.
        {
            ForwardWalk walk(q);
            while (!q.eof())
                q.walkNext();
        }
        QCOMPARE(q.text(0), QStringLiteral("1000"));
        QVERIFY(!q.canFetchMore());

        // Within the rows read nothing is let go.
        q.open();
        const int held = q.rowCount();
        replaced.clear();
        {
            ForwardWalk walk(q);
            q.walkNext();
        }
        QCOMPARE(q.rowCount(), held);
        QCOMPARE(q.currentRow(), 1);
        QVERIFY(replaced.isEmpty());
    }

    void editableQueriesKnowEachRowsId()
    {
        db.execute(QStringLiteral("create table D (A nchar(2))"));
        db.execute(QStringLiteral("insert into D values ('x'), ('x')"));
        Dataset q(db, QStringLiteral("q"));
        q.setEditable(true);
        q.setSql(QStringLiteral(" select A from D"));
        q.open();
        QVERIFY(q.hasRowIds());
        QCOMPARE(q.fieldCount(), 1);
        QCOMPARE(q.tableName(), QStringLiteral("D"));
        QVERIFY(q.rowIdAt(0) != q.rowIdAt(1));
    }
};

QTEST_GUILESS_MAIN(TestDataset)
#include "tst_dataset.moc"
