#include "WindowFixture.h"
#include "app/DataGrid.h"
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

// Errors end at the window's handler boundary, in the general error box, and
// the next event is handled as usual. This suite runs on a plain
// QApplication with no catch in notify: an error travelling through Qt's
// event dispatch fails it.
class TestErrorBoundary : public QObject {
    Q_OBJECT
private slots:
    void activation()
    {
        WindowFixture f({QStringLiteral("drop table AAATBN")});
        f.start();
        QCOMPARE(f.boxes.errors.size(), 1);
        QVERIFY2(f.boxes.errors.first().contains(QStringLiteral("AAATBN")), qPrintable(f.boxes.errors.first()));
        // The next event: a key in the name field.
        f.window->a102knE->setFocus();
        QTest::keyClicks(f.window->a102knE, QStringLiteral("ab"));
        QCOMPARE(f.window->a102knE->text(), QStringLiteral("ab"));
    }

    void clickKeyEnterAndGrid()
    {
        WindowFixture f({QStringLiteral("insert into AAEIL (CNT, IID, RYAK) values (1, 3, 'A')"),
                         QStringLiteral("insert into AINDX (CNT, IID, DY, HH, RV) values (1, 3, '2024', '21', 5)")});
        f.start();
        TVostrelF &w = *f.window;
        QVERIFY(f.boxes.errors.isEmpty());

        // A click: the register button with a value that is no number.
        w.a111rvE->setText(QStringLiteral("abc"));
        QTest::mouseClick(w.a114rgB, Qt::LeftButton);
        QCOMPARE(f.boxes.errors.size(), 1);
        w.a111rvE->setText(QStringLiteral("7"));
        QTest::mouseClick(w.a114rgB, Qt::LeftButton);
        QCOMPARE(f.boxes.errors.size(), 1);
        QCOMPARE(f.scalar(QStringLiteral("select count(*) from AINDX where RV = 7")), QStringLiteral("1"));

        // A key handler: Up in an empty month.
        w.a107dmE->setFocus();
        w.a107dmE->clear();
        QTest::keyClick(w.a107dmE, Qt::Key_Up);
        QCOMPARE(f.boxes.errors.size(), 2);
        QCOMPARE(f.boxes.errors.last(), QStringLiteral("'' は整数ではありません"));
        w.a107dmE->setText(QStringLiteral("05"));
        QTest::keyClick(w.a107dmE, Qt::Key_Up);
        QCOMPARE(w.a107dmE->text(), QStringLiteral("06"));

        // An enter handler: the hour field reads the value list, closed here.
        f.dm->qe2->close();
        w.a109hhE->clear();
        w.a109hhE->setFocus();
        QCOMPARE(f.boxes.errors.size(), 3);
        w.uqe2(1);
        w.a110hmE->setFocus();
        QCOMPARE(w.a00gdL->text(), QStringLiteral("分の入力"));
        QCOMPARE(f.boxes.errors.size(), 3);

        // The grid's own keys: a result beyond 32 bits, then Esc.
        w.adg->setFocus();
        w.adg->selectionModel()->setCurrentIndex(w.adg->model()->index(f.dm->qe2->currentRow(), 5),
                                                QItemSelectionModel::ClearAndSelect);
        for (const QChar c : QStringLiteral("99999999999"))
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        QVERIFY(w.adg->cellEditor());
        QCOMPARE(w.adg->cellEditor()->text(), QStringLiteral("99999999999"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(f.boxes.errors.size(), 4);
        QVERIFY2(f.boxes.errors.last().contains(QStringLiteral("99999999999")), qPrintable(f.boxes.errors.last()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!w.adg->cellEditor());
        QCOMPARE(f.boxes.errors.size(), 4);
    }
};

QTEST_MAIN(TestErrorBoundary)
#include "tst_errorboundary.moc"
