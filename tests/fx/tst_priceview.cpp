#include "TestMain.h"
#include "WindowFixture.h"
#include "app/Panel.h"
#include <QLineEdit>

namespace {

// Three instruments, inserted out of CNT order; prices for two of them.
// The one-digit day 5 sorts after the days 10 to 31, as text.
const QStringList kSeed = {
    QStringLiteral("insert into AAFXL (CNT, FID, FXNM, RYAK, CSVNM) values "
                   "(2, 20, 'ユーロ/円', 'ユーロ円', 'EURJPY'), "
                   "(1, 10, '米ドル/円', 'ドル円', 'USDJPY'), "
                   "(3, 30, '豪ドル/円', '豪ドル円', 'AUDJPY')"),
    QStringLiteral("insert into AFX (CNT, FID, DYL, DML, DDL, HHL, HML, CV) values "
                   "(1, 10, '2024', '01', '5', '09', '00', 1), "
                   "(2, 10, '2024', '01', '12', '09', '00', 2), "
                   "(3, 10, '2024', '01', '12', '08', '45', 3), "
                   "(4, 20, '2024', '02', '01', '10', '00', 4)"),
};

QStringList column(Dataset &q, const char *name)
{
    QStringList texts;
    q.fetchAll();
    const int field = q.fieldIndex(QString::fromLatin1(name));
    for (int row = 0; row < q.rowCount(); ++row)
        texts << q.storedTextAt(row, field);
    return texts;
}

} // namespace

// The price page on the real window: its start and stepping with Up and Down.
class TestPriceView : public QObject {
    Q_OBJECT
private slots:
    void startShowsTheFirstInstrumentAndItsPrices()
    {
        WindowFixture f(kSeed);
        f.start();
        TVostrelF &w = *f.window;
        QVERIFY2(f.boxes.errors.isEmpty(), qPrintable(f.boxes.errors.join('\n')));
        QCOMPARE(w.b103fnE->text(), QStringLiteral("ドル円"));
        QCOMPARE(f.dm->qf1->sql(), QStringLiteral(" select CNT, FID, FXNM, RYAK, CSVNM, TYO from AAFXL order by CNT "));
        QCOMPARE(f.dm->qf2->sql(), QStringLiteral(" select CNT, FID, FXNM, DYL, DML, DDL, HHL, HML, OV, HV, LV, CV, "
                                                  "DYR, DMR, DDR, HHR, HMR, TYO from AFX "
                                                  "where FID = 10 order by DYL, DML, DDL, HHL, HML "));
        QCOMPARE(column(*f.dm->qf2, "CV"), (QStringList{"3", "2", "1"}));
        QCOMPARE(f.dm->qf1->displayWidth(2), 16); // FXNM's DPW
        QCOMPARE(f.dm->qf2->displayWidth(0), 8);  // CNT's DPW
        QVERIFY(w.a102knE->hasFocus());
    }

    // Up forward and Down backward in CNT order, wrapping round; the field
    // shows CSVNM after every step. A move of the list elsewhere (the grid of
    // the tables page) is where the next step starts.
    void upAndDownStepRoundTheList()
    {
        WindowFixture f(kSeed);
        f.start();
        TVostrelF &w = *f.window;
        QStringList shown;
        QStringList prices;
        auto press = [&](Qt::Key key) {
            QTest::keyClick(w.b103fnE, key);
            shown << w.b103fnE->text();
            prices << column(*f.dm->qf2, "CV").join(QLatin1Char(' '));
        };
        press(Qt::Key_Up);
        press(Qt::Key_Up);
        press(Qt::Key_Up);
        press(Qt::Key_Down);
        press(Qt::Key_Down);
        QCOMPARE(shown, (QStringList{"EURJPY", "AUDJPY", "USDJPY", "AUDJPY", "EURJPY"}));
        QCOMPARE(prices, (QStringList{"4", "", "3 2 1", "", "4"}));

        f.dm->qf1->first();
        press(Qt::Key_Down);
        QCOMPARE(shown.last(), QStringLiteral("AUDJPY"));
        QCOMPARE(f.boxes.errors, QStringList());
    }

    void oneInstrumentStaysButShowsItsFileName()
    {
        WindowFixture f; // the fixture's one instrument
        f.start();
        TVostrelF &w = *f.window;
        QCOMPARE(w.b103fnE->text(), QStringLiteral("ドル円"));
        for (Qt::Key key : {Qt::Key_Up, Qt::Key_Down}) {
            w.b103fnE->setText(QString());
            QTest::keyClick(w.b103fnE, key);
            QCOMPARE(w.b103fnE->text(), QStringLiteral("USDJPY"));
            QCOMPARE(f.dm->qf1->currentRow(), 0);
        }
    }

    // The price statement has no FID and is refused: the general error box
    // shows it, the steps before stay done and those after are not run.
    void emptyFxListStopsTheStartAtThePricePage()
    {
        WindowFixture f({QStringLiteral("delete from AAFXL"),
                         QStringLiteral("insert into AAEIL (CNT, IID, IXNM, RYAK) values (1, 3, 'NFP', '雇用統計')")});
        f.start();
        TVostrelF &w = *f.window;
        QCOMPARE(f.boxes.errors.size(), 1);
        QVERIFY2(f.boxes.errors.first().contains(QLatin1String("syntax error")), qPrintable(f.boxes.errors.first()));
        QCOMPARE(w.A00P->caption(), QString());
        QCOMPARE(w.a102knE->text(), QStringLiteral("雇用統計"));
        QCOMPARE(w.b103fnE->text(), QString());
        QVERIFY(!f.dm->qf2->isOpen());
        QVERIFY(!w.a102knE->hasFocus());
    }
};

KEIZAI_TEST_MAIN(TestPriceView)
#include "tst_priceview.moc"
