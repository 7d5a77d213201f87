#include "WorkFolder.h"
#include "store/Connection.h"
#include "store/Dataset.h"
#include "store/Errors.h"
#include <QSignalSpy>
#include <QtTest>

// Editing through a query: a write changes exactly the one row shown, and the
// pending change follows the cursor.
class TestDatasetEdit : public QObject {
    Q_OBJECT

    WorkFolder folder;
    Connection db;

    QString scalar(const QString &sql)
    {
        Dataset q(db, QStringLiteral("probe"));
        q.setSql(sql);
        q.open();
        return q.text(0);
    }

    void fill(const QString &rows)
    {
        db.execute(QStringLiteral("delete from E"));
        db.execute(QStringLiteral("insert into E (A, B, C) values ") + rows);
    }

    void openE(Dataset &q, bool editable = true)
    {
        q.setEditable(editable);
        q.setSql(QStringLiteral(" select A, B, C from E order by A"));
        q.open();
    }

    static bool refusedAsNotOneRecord(const std::function<void()> &write)
    {
        try {
            write();
        } catch (const DatabaseError &e) {
            return e.text().contains(QStringLiteral("1 件のレコードだけに作用しませんでした"));
        }
        return false;
    }

private slots:
    void initTestCase()
    {
        db.open(folder.database());
        // C has no affinity: it keeps integers, reals and texts as given.
        db.execute(QStringLiteral("create table E (A Integer, B nchar(10), C)"));
    }

    void updateWritesOnlyTheFieldsTyped()
    {
        fill(QStringLiteral("(1, 'one', 10), (2, 'two', 20)"));
        Dataset q(db, QStringLiteral("q"));
        openE(q);
        q.next();
        q.setFieldText(1, QStringLiteral("zwei"));
        QCOMPARE(q.state(), Dataset::State::Edit);
        QCOMPARE(q.text(1), QStringLiteral("zwei")); // the routines read what is shown
        QCOMPARE(q.storedTextAt(1, 1), QStringLiteral("two"));
        q.post();
        QCOMPARE(q.state(), Dataset::State::Browse);
        QCOMPARE(scalar(QStringLiteral("select group_concat(B || ':' || C, ',') from (select * from E order by A)")),
                 QStringLiteral("one:10,zwei:20"));

        // The row as now stored is found again by the next write; an empty
        // text writes NULL, a whole number an integer.
        q.setFieldText(0, QStringLiteral("+7"));
        q.setFieldText(1, QString());
        q.post();
        QCOMPARE(scalar(QStringLiteral("select typeof(A) || typeof(B) from E where C = 20")),
                 QStringLiteral("integernull"));
        QCOMPARE(q.storedTypeAt(1, 0), 1 /* SQLITE_INTEGER */);
    }

    // Without row ids the row is found by the values read alone, each bound
    // with the storage type it was read with.
    void valuesAreMatchedWithTheirStorageTypes()
    {
        db.execute(QStringLiteral("delete from E"));
        db.execute(QStringLiteral("insert into E values (1, 'x', 7), (1, 'x', '7'), (2, 'y', 0.1 + 0.2)"));
        Dataset q(db, QStringLiteral("q"));
        openE(q, false);
        QVERIFY(!q.hasRowIds());
        q.moveTo(1);
        QCOMPARE(q.text(2), QStringLiteral("7"));
        QCOMPARE(q.storedTypeAt(1, 2), 3 /* SQLITE_TEXT */);
        q.setFieldText(1, QStringLiteral("text"));
        q.post();
        QCOMPARE(scalar(QStringLiteral("select group_concat(B || typeof(C), ',') from E where A = 1")),
                 QStringLiteral("xinteger,texttext"));

        // A real is found even when its text does not give back the same number.
        q.moveTo(2);
        q.setFieldText(1, QStringLiteral("z"));
        q.post();
        QCOMPARE(scalar(QStringLiteral("select B from E where A = 2")), QStringLiteral("z"));
    }

    void aRowChangedBehindIsRefusedAndStaysBeingEdited()
    {
        fill(QStringLiteral("(1, 'one', 10), (2, 'two', 20)"));
        Dataset q(db, QStringLiteral("q"));
        openE(q);
        db.execute(QStringLiteral("update E set C = 11 where A = 1"));
        q.setFieldText(1, QStringLiteral("eins"));
        QVERIFY(refusedAsNotOneRecord([&] { q.next(); }));
        QCOMPARE(q.currentRow(), 0); // the cursor did not move
        QCOMPARE(q.state(), Dataset::State::Edit);
        QCOMPARE(q.text(1), QStringLiteral("eins"));
        QVERIFY(!db.inTransaction());
        QCOMPARE(scalar(QStringLiteral("select B || C from E where A = 1")), QStringLiteral("one11"));

        // Deleting is refused the same way; a deleted row too.
        q.cancel();
        QVERIFY(refusedAsNotOneRecord([&] { q.deleteCurrent(); }));
        QCOMPARE(q.rowCount(), 2);
        db.execute(QStringLiteral("delete from E where A = 2"));
        q.next();
        q.setFieldText(1, QStringLiteral("zwei"));
        QVERIFY(refusedAsNotOneRecord([&] { q.post(); }));
        QVERIFY(!db.inTransaction());
        QCOMPARE(scalar(QStringLiteral("select count(*) from E")), QStringLiteral("1"));
    }

    void ofTwoIdenticalRowsOnlyTheOneShownChanges()
    {
        fill(QStringLiteral("(1, 'same', 5), (1, 'same', 5)"));
        Dataset q(db, QStringLiteral("q"));
        openE(q);
        q.next();
        q.setFieldText(2, QStringLiteral("6"));
        q.post();
        QCOMPARE(scalar(QStringLiteral("select group_concat(C, ',') from (select C from E order by rowid)")),
                 QStringLiteral("5,6"));
        q.deleteCurrent();
        QCOMPARE(scalar(QStringLiteral("select group_concat(C, ',') from E")), QStringLiteral("5"));
        QCOMPARE(q.rowCount(), 1);
        QCOMPARE(q.currentRow(), 0);
    }

    void everyCursorMovePostsAndReopeningDrops()
    {
        fill(QStringLiteral("(1, 'a', 1), (2, 'b', 2), (3, 'c', 3)"));
        Dataset q(db, QStringLiteral("q"));
        openE(q);
        const std::vector<std::pair<const char *, std::function<void()>>> moves = {
            {"next", [&] { q.next(); }},   {"prior", [&] { q.prior(); }}, {"last", [&] { q.last(); }},
            {"first", [&] { q.first(); }}, {"moveTo", [&] { q.moveTo(1); }},
        };
        int n = 0;
        for (const auto &[name, move] : moves) {
            const int row = q.currentRow();
            const QString text = QStringLiteral("m%1").arg(++n);
            q.setFieldText(1, text);
            move();
            QVERIFY2(q.state() == Dataset::State::Browse, name);
            QCOMPARE(scalar(QStringLiteral("select B from E where A = %1").arg(row + 1)), text);
        }

        q.setFieldText(1, QStringLiteral("dropped"));
        q.setSql(q.sql());
        q.open();
        QCOMPARE(q.state(), Dataset::State::Browse);
        q.setFieldText(1, QStringLiteral("dropped"));
        q.close();
        QCOMPARE(scalar(QStringLiteral("select count(*) from E where B = 'dropped'")), QStringLiteral("0"));
    }

    void newRows()
    {
        fill(QStringLiteral("(1, 'a', 1), (2, 'b', 2), (3, 'c', 3)"));
        Dataset q(db, QStringLiteral("q"));
        openE(q);
        QSignalSpy inserted(&q, &Dataset::rowInserted);
        QSignalSpy removed(&q, &Dataset::rowRemoved);

        // A new row never typed into is dropped by the next move, which then
        // lands where it would have without the new row.
        q.moveTo(1);
        q.insert();
        QCOMPARE(q.currentRow(), 1);
        QCOMPARE(q.rowCount(), 4);
        QCOMPARE(q.state(), Dataset::State::Insert);
        q.moveTo(3); // the row of A = 3, now at 2
        QCOMPARE(q.rowCount(), 3);
        QCOMPARE(q.text(0), QStringLiteral("3"));
        q.insert();
        q.next(); // the row that followed the new one
        QCOMPARE(q.text(0), QStringLiteral("3"));
        q.append();
        q.append(); // on a new row not typed into: nothing
        QCOMPARE(q.rowCount(), 4);
        q.prior(); // from the new last row back to the row above it
        QCOMPARE(q.text(0), QStringLiteral("3"));
        QCOMPARE(inserted.size(), 3);
        QCOMPARE(removed.size(), 3);
        QCOMPARE(scalar(QStringLiteral("select count(*) from E")), QStringLiteral("3"));

        // A typed new row carries only its typed columns; it can be edited
        // again at once.
        q.append();
        q.setFieldText(1, QStringLiteral("new"));
        q.first();
        QCOMPARE(scalar(QStringLiteral("select count(*) from E where B = 'new' and A is null and C is null")),
                 QStringLiteral("1"));
        q.last();
        QCOMPARE(q.text(1), QStringLiteral("new"));
        q.setFieldText(2, QStringLiteral("9"));
        q.post();
        QCOMPARE(scalar(QStringLiteral("select C from E where B = 'new'")), QStringLiteral("9"));

        // Deleting leaves the row that followed current, or the new last.
        q.first();
        q.deleteCurrent();
        QCOMPARE(q.text(0), QStringLiteral("2"));
        q.last();
        q.deleteCurrent();
        QCOMPARE(q.currentRow(), q.rowCount() - 1);
        QCOMPARE(q.text(0), QStringLiteral("3"));
    }

    void wholeNumberTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("digits") << "123" << true;
        QTest::newRow("signs") << "-5" << true;
        QTest::newRow("plus") << "+5" << true;
        QTest::newRow("empty writes NULL") << "" << true;
        QTest::newRow("lowest") << "-2147483648" << true;
        QTest::newRow("beyond 32 bits") << "2147483648" << false;
        QTest::newRow("sign alone") << "-" << false;
        QTest::newRow("letters") << "1a" << false;
        QTest::newRow("decimal point") << "1.5" << false;
        QTest::newRow("blank") << " 1" << false;
        QTest::newRow("full-width digits") << "１２" << false;
    }

    void wholeNumberTexts()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        fill(QStringLiteral("(1, 'a', 1)"));
        Dataset q(db, QStringLiteral("q"));
        openE(q);
        QCOMPARE(q.acceptsFieldText(0, text), accepted);
        QVERIFY(q.acceptsFieldText(1, text)); // a text field takes anything
        q.setFieldText(0, text);
        if (accepted) {
            q.post();
            return;
        }
        try {
            q.post();
            QFAIL("posted a text that is no whole number");
        } catch (const ConversionError &e) {
            QCOMPARE(e.text(), QStringLiteral("'%1' はフィールド 'A' の値として有効な整数値ではありません").arg(text));
        }
        QCOMPARE(q.state(), Dataset::State::Edit);
        QCOMPARE(scalar(QStringLiteral("select A from E")), QStringLiteral("1"));
    }
};

QTEST_GUILESS_MAIN(TestDatasetEdit)
#include "tst_dataset_edit.moc"
