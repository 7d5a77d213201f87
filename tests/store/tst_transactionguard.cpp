#include "ReadLock.h"
#include "WorkFolder.h"
#include "store/Connection.h"
#include "store/Dataset.h"
#include "store/Errors.h"
#include "store/TransactionGuard.h"
#include <QtTest>
#include <memory>

// Savepoints and transactions behind the guard: committed, undone, and
// undone also when the commit itself fails because another program reads
// the file.
class TestTransactionGuard : public QObject {
    Q_OBJECT

    std::unique_ptr<WorkFolder> folder;
    std::unique_ptr<Connection> db;

    QString rows()
    {
        Dataset q(*db, QStringLiteral("probe"));
        q.setSql(QStringLiteral("select group_concat(V, ',') from (select V from T order by V)"));
        q.open();
        return q.text(0);
    }

private slots:
    void init()
    {
        folder = std::make_unique<WorkFolder>();
        {
            Connection setup;
            setup.open(folder->database());
            setup.execute(QStringLiteral("create table T (V Integer)"));
            setup.execute(QStringLiteral("insert into T values (1)"));
        }
        // Only read so far: another program can still take a read lock.
        db = std::make_unique<Connection>();
        db->open(folder->database());
        QCOMPARE(rows(), QStringLiteral("1"));
    }
    void cleanup()
    {
        db.reset();
        folder.reset();
    }

    void committedOrUndone_data()
    {
        QTest::addColumn<bool>("savepoint");
        QTest::addColumn<bool>("commit");
        QTest::addColumn<QString>("stored");
        QTest::newRow("savepoint committed") << true << true << "1,2";
        QTest::newRow("savepoint left") << true << false << "1";
        QTest::newRow("transaction committed") << false << true << "1,2";
        QTest::newRow("transaction left") << false << false << "1";
    }
    void committedOrUndone()
    {
        QFETCH(bool, savepoint);
        QFETCH(bool, commit);
        QFETCH(QString, stored);
        {
            std::unique_ptr<TransactionGuard> guard =
                savepoint ? std::make_unique<TransactionGuard>(*db, "sp")
                          : std::make_unique<TransactionGuard>(*db, TransactionGuard::Transaction);
            QVERIFY(db->inTransaction());
            db->execute(QStringLiteral("insert into T values (2)"));
            if (commit)
                guard->commit();
        }
        QVERIFY(!db->inTransaction());
        QCOMPARE(rows(), stored);
    }

    // An error thrown through the guard's scope undoes what it held.
    void undoneByAnError()
    {
        try {
            TransactionGuard guard(*db, "sp");
            db->execute(QStringLiteral("insert into T values (2)"));
            db->execute(QStringLiteral("insert into NoSuchTable values (3)"));
            guard.commit();
            QFAIL("the second insert was accepted");
        } catch (const DatabaseError &error) {
            QVERIFY(error.text().contains(QLatin1String("NoSuchTable")));
        }
        QVERIFY(!db->inTransaction());
        QCOMPARE(rows(), QStringLiteral("1"));
    }

    // Inside a caller's transaction a savepoint undoes its own statement
    // only; the caller's transaction stays open and commits the rest.
    void savepointInsideATransaction()
    {
        TransactionGuard outer(*db, TransactionGuard::Transaction);
        db->execute(QStringLiteral("insert into T values (2)"));
        {
            TransactionGuard inner(*db, "line");
            db->execute(QStringLiteral("insert into T values (3)"));
        }
        QVERIFY(db->inTransaction());
        {
            TransactionGuard inner(*db, "line");
            db->execute(QStringLiteral("insert into T values (4)"));
            inner.commit();
        }
        QVERIFY(db->inTransaction());
        outer.commit();
        QVERIFY(!db->inTransaction());
        QCOMPARE(rows(), QStringLiteral("1,2,4"));
    }

    // The commit fails while another program reads: it raises the
    // database's reason, nothing is stored, the connection is back in
    // autocommit, and once the reader is gone the same write succeeds.
    void commitFailsBusy_data()
    {
        QTest::addColumn<bool>("savepoint");
        QTest::newRow("savepoint") << true;
        QTest::newRow("transaction") << false;
    }
    void commitFailsBusy()
    {
        QFETCH(bool, savepoint);
        auto write = [&] {
            std::unique_ptr<TransactionGuard> guard =
                savepoint ? std::make_unique<TransactionGuard>(*db, "sp")
                          : std::make_unique<TransactionGuard>(*db, TransactionGuard::Transaction);
            db->execute(QStringLiteral("insert into T values (2)"));
            guard->commit();
        };
        ReadLock reader(folder->database());
        try {
            write();
            QFAIL("the commit went through a read lock");
        } catch (const DatabaseError &error) {
            QVERIFY2(error.text().contains(QLatin1String("locked")), qPrintable(error.text()));
        }
        QVERIFY(!db->inTransaction());
        reader.release();
        QCOMPARE(rows(), QStringLiteral("1"));
        write();
        QVERIFY(!db->inTransaction());
        QCOMPARE(rows(), QStringLiteral("1,2"));
    }
};

QTEST_GUILESS_MAIN(TestTransactionGuard)
#include "tst_transactionguard.moc"
