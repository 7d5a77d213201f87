#include "TestMain.h"
#include "WindowFixture.h"
#include "app/DataGrid.h"
#include "indicators/LocalDate.h"
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

namespace {

// Four indicators: the first with two releases, the second none, the third
// with the id 9, the fourth one release.
const QStringList kSeed = {
    QStringLiteral("insert into AAEIL (CNT, IID, IXNM, URL, RYAK) values "
                   "(1, 3, '米国雇用統計', 'https://example.org/a', '雇用統計'), "
                   "(2, 5, '日銀短観', '', '短観'), "
                   "(3, 9, 'FOMC', 'https://example.org/f', 'FOMC'), "
                   "(4, 7, 'ISM製造業', '', 'ISM')"),
    QStringLiteral("insert into AINDX (CNT, IID, IXNM, DY, DM, DD, HH, HM, RV, EV, CV) values "
                   "(10, 3, '米国雇用統計', '2024', '04', '05', '21', '30', 303, 214, 270), "
                   "(11, 3, '米国雇用統計', '2024', '05', '03', '22', '45', 175, 240, 165), "
                   "(12, 7, 'ISM製造業', '2024', '05', '01', '23', '00', 492, 500, NULL)"),
};

const QColor kBlue(0, 0, 255);

QColor background(QLineEdit *field) { return field->palette().color(QPalette::Base); }

void press(QWidget *widget, Qt::Key key, int times = 1)
{
    for (int i = 0; i < times; ++i)
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : widget, key);
}

} // namespace

// The keyboard entry flow on the real window, with real key events.
class TestKeyFlow : public QObject {
    Q_OBJECT
private slots:
    void init() { LocalDate::fix(QDate(2024, 5, 17), QStringLiteral("yyyy/MM/dd")); }
    void cleanup() { LocalDate::unfix(); }

    void roadOfOneReleaseFromTheKeyboardAlone()
    {
        WindowFixture f(kSeed);
        f.start();
        TVostrelF &w = *f.window;
        QVERIFY(w.a102knE->hasFocus());
        QCOMPARE(background(w.a102knE), kBlue);
        QCOMPARE(w.a00gdL->text(), QStringLiteral(" ↓↑:指標変更 [Enter]:選択 "));

        QTest::keyClick(w.a102knE, Qt::Key_Down); // the indicator without releases
        QCOMPARE(w.a102knE->text(), QStringLiteral("短観"));
        QCOMPARE(w.a118iidL->text(), QStringLiteral("5"));
        QVERIFY(f.dm->qe2->isEmpty());

        QTest::keyClick(w.a102knE, Qt::Key_Return);
        QVERIFY(w.a106dyE->hasFocus());
        QCOMPARE(w.a00gdL->text(), QStringLiteral("年の入力"));
        QCOMPARE(background(w.a102knE), QApplication::palette(w.a102knE).color(QPalette::Base));
        QCOMPARE(background(w.a106dyE), kBlue);
        QCOMPARE(w.a106dyE->text(), QStringLiteral("2024")); // today's year
        press(w.a106dyE, Qt::Key_Return);
        QCOMPARE(w.a107dmE->text(), QStringLiteral("05")); // today's month
        press(w.a107dmE, Qt::Key_Up);
        QCOMPARE(w.a107dmE->text(), QStringLiteral("06"));
        press(w.a107dmE, Qt::Key_Return);
        QCOMPARE(w.a108ddE->text(), QStringLiteral("01"));
        w.a108ddE->selectAll();
        QTest::keyClicks(w.a108ddE, QStringLiteral("7"));
        press(w.a108ddE, Qt::Key_Return);
        QCOMPARE(w.a108ddE->text(), QStringLiteral("7")); // the day is not padded
        QCOMPARE(w.a109hhE->text(), QString()); // no release to take the hour from
        QTest::keyClicks(w.a109hhE, QStringLiteral("08"));
        press(w.a109hhE, Qt::Key_Return);
        QTest::keyClicks(w.a110hmE, QStringLiteral("50"));
        press(w.a110hmE, Qt::Key_Return);
        QCOMPARE(w.a00gdL->text(), QStringLiteral("結果値の入力"));
        QTest::keyClicks(w.a111rvE, QStringLiteral("135"));
        press(w.a111rvE, Qt::Key_Return);
        QTest::keyClicks(w.a112evE, QStringLiteral("130"));
        press(w.a112evE, Qt::Key_Return);
        press(w.a113cvE, Qt::Key_Return);
        QVERIFY(w.a114rgB->hasFocus());
        QCOMPARE(w.a00gdL->text(), QString());
        press(w.a114rgB, Qt::Key_Return);

        QVERIFY(f.boxes.errors.isEmpty());
        QCOMPARE(f.scalar(QStringLiteral("select IID || '|' || IXNM || '|' || DY || DM || DD || HH || HM || '|' || RV || '|' "
                                         "|| EV || '|' || ifnull(CV, '-') from AINDX where CNT = 13")),
                 QStringLiteral("5|日銀短観|2024067" "0850|135|130|-"));
        QVERIFY(w.a102knE->hasFocus());
        QCOMPARE(w.a00gdL->text(), QStringLiteral(" ↓↑:指標変更 [Enter]:選択 "));
    }

    void defaultsFromTheCurrentValueRow()
    {
        WindowFixture f(kSeed);
        f.start();
        TVostrelF &w = *f.window;
        QTest::keyClick(w.a102knE, Qt::Key_Return); // the first indicator: latest release 2024/05/03 22:45
        QCOMPARE(w.a106dyE->text(), QStringLiteral("2024"));
        for (QLineEdit *field : {w.a109hhE, w.a110hmE})
            field->clear();
        w.a109hhE->setFocus();
        QCOMPARE(w.a109hhE->text(), QStringLiteral("22"));
        w.a110hmE->setFocus();
        QCOMPARE(w.a110hmE->text(), QStringLiteral("45"));
        w.a107dmE->setText(QStringLiteral("7"));
        w.a107dmE->setFocus();
        w.a108ddE->setFocus();
        QCOMPARE(w.a107dmE->text(), QStringLiteral("07")); // padded on leaving
        w.a107dmE->clear();
        w.a107dmE->setFocus();
        QCOMPARE(w.a107dmE->text(), QStringLiteral("05"));
    }

    void escWalksBack()
    {
        WindowFixture f(kSeed);
        f.start();
        TVostrelF &w = *f.window;
        QTest::keyClick(w.a102knE, Qt::Key_Return);
        press(w.a106dyE, Qt::Key_Return);
        press(w.a107dmE, Qt::Key_Escape);
        QVERIFY(w.a106dyE->hasFocus());
        press(w.a106dyE, Qt::Key_Escape);
        QVERIFY(w.adg->hasFocus());
        QCOMPARE(w.a202Mem->toPlainText(),
                 QStringLiteral("数字を修正したら↓↑で他行に移って修正を確定してください\n小数点は入れないでください\n[Ctrl]+[Del]:行削除"));
        QCOMPARE(w.a00gdL->text(), QStringLiteral("[Enter]:新規入力へ [F3]:行修正へ"));
        press(w.adg, Qt::Key_Escape);
        QVERIFY(w.a102knE->hasFocus());
        QCOMPARE(w.a202Mem->toPlainText(), QString());
        QTest::keyClick(w.a102knE, Qt::Key_Escape);
        QVERIFY(w.pc->tabBar()->hasFocus() || w.pc->hasFocus());

        // Esc on the register button goes back to the corrected value.
        w.a114rgB->setFocus();
        QTest::keyClick(w.a114rgB, Qt::Key_Escape);
        QVERIFY(w.a113cvE->hasFocus());
    }

    void valuesGridKeys()
    {
        WindowFixture f(kSeed);
        f.start();
        TVostrelF &w = *f.window;
        w.adg->setFocus();
        f.dm->qe2->moveTo(0); // the older release
        press(w.adg, Qt::Key_F3);
        QVERIFY(w.a106dyE->hasFocus());
        QCOMPARE(w.a105modL->text(), QStringLiteral("修正"));
        QCOMPARE(w.a117cnL->text(), QStringLiteral("10"));
        QCOMPARE(w.a111rvE->text(), QStringLiteral("303"));

        w.adg->setFocus();
        press(w.adg, Qt::Key_Return);
        QVERIFY(w.a106dyE->hasFocus());
        QCOMPARE(w.a105modL->text(), QStringLiteral("新規"));
        QCOMPARE(w.a117cnL->text(), QStringLiteral("10"));
        QCOMPARE(w.a107dmE->text(), QStringLiteral("04")); // the picked row's date
        QCOMPARE(w.a111rvE->text(), QString());
    }

    void indicatorNineShowsTheBrowserPage()
    {
        WindowFixture f(kSeed);
        f.start();
        TVostrelF &w = *f.window;
        QTest::keyClick(w.a102knE, Qt::Key_Down);
        QTest::keyClick(w.a102knE, Qt::Key_Down);
        QCOMPARE(w.a118iidL->text(), QStringLiteral("9"));
        QTest::keyClick(w.a102knE, Qt::Key_Return);
        QCOMPARE(w.pc->currentWidget(), w.ets);
        QCOMPARE(w.e201EB->state(), WebView::State::Starting); // navigated first
        QCOMPARE(w.e201EB->rememberedUrl(), QStringLiteral("https://example.org/f"));
        QVERIFY(!w.a106dyE->hasFocus());
        QCOMPARE(w.a105modL->text(), QStringLiteral("新規"));
    }

    void chooseWrapsRound()
    {
        WindowFixture f(kSeed);
        f.start();
        TVostrelF &w = *f.window;
        w.a106dyE->setText(QStringLiteral("typed"));
        QTest::keyClick(w.a102knE, Qt::Key_Up); // first to last
        QCOMPARE(w.a102knE->text(), QStringLiteral("ISM"));
        QCOMPARE(w.a118iidL->text(), QStringLiteral("7"));
        QCOMPARE(f.dm->qe2->text(QStringLiteral("CNT")), QStringLiteral("12"));
        QTest::keyClick(w.a102knE, Qt::Key_Down); // last to first
        QCOMPARE(w.a102knE->text(), QStringLiteral("雇用統計"));
        QCOMPARE(w.a106dyE->text(), QStringLiteral("typed")); // nothing else changes

        QTest::keyClicks(w.a102knE, QStringLiteral("xyz")); // typing changes only the text
        QCOMPARE(w.a118iidL->text(), QStringLiteral("3"));
    }

    void singleIndicatorStaysOnItself()
    {
        WindowFixture f({QStringLiteral("insert into AAEIL (CNT, IID, RYAK) values (1, 4, 'only')")});
        f.start();
        TVostrelF &w = *f.window;
        for (Qt::Key key : {Qt::Key_Up, Qt::Key_Down}) {
            QTest::keyClick(w.a102knE, key);
            QCOMPARE(w.a118iidL->text(), QStringLiteral("4"));
        }
    }

    void f12ShowsTheBrowserPageAndNamesTheField()
    {
        WindowFixture f(kSeed);
        f.start();
        TVostrelF &w = *f.window;
        w.a110hmE->setFocus();
        press(w.a110hmE, Qt::Key_F12);
        QCOMPARE(w.e103fmL->text(), QStringLiteral("a110hmE"));
        QCOMPARE(w.pc->currentWidget(), w.ets);
    }

    // The hour and minute fields turn blue and show their guidance before
    // they read the latest release, and read it only when they are empty.
    void hourAndMinuteReadTheLatestReleaseOnlyWhenEmpty()
    {
        WindowFixture f(kSeed);
        f.start();
        TVostrelF &w = *f.window;
        f.dm->qe2->close();
        w.a109hhE->setText(QStringLiteral("09"));
        w.a109hhE->setFocus();
        QVERIFY(f.boxes.errors.isEmpty());
        QCOMPARE(w.a109hhE->text(), QStringLiteral("09"));

        w.a110hmE->clear();
        w.a110hmE->setFocus();
        QCOMPARE(f.boxes.errors.size(), 1);
        QCOMPARE(w.a00gdL->text(), QStringLiteral("分の入力"));
        QCOMPARE(background(w.a110hmE), kBlue);
    }

    void conversionErrorKeepsTheField()
    {
        WindowFixture f(kSeed);
        f.start();
        TVostrelF &w = *f.window;
        w.a108ddE->setFocus(); // fills in "01"
        w.a108ddE->clear();
        QTest::keyClick(w.a108ddE, Qt::Key_Up);
        QCOMPARE(f.boxes.errors, QStringList{QStringLiteral("'' は整数ではありません")});
        QCOMPARE(w.a108ddE->text(), QString());
        QVERIFY(w.a108ddE->hasFocus());

        w.a107dmE->setFocus();
        w.a107dmE->setText(QStringLiteral("2147483647"));
        f.boxes.clear();
        QTest::keyClick(w.a107dmE, Qt::Key_Up);
        QCOMPARE(f.boxes.errors, QStringList{QStringLiteral("整数のオーバーフロー")});
        QCOMPARE(w.a107dmE->text(), QStringLiteral("2147483647"));
    }
};

KEIZAI_TEST_MAIN(TestKeyFlow)
#include "tst_keyflow.moc"
