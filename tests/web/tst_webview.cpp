#include "BrowserStandIn.h"
#include "TestMain.h"
#include "WindowFixture.h"
#include "app/Panel.h"
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace {

const QString kCreationError = QStringLiteral("Edge ブラウザ コントロールを作成できませんでした");

const QStringList kSeed = {
    QStringLiteral("insert into AAEIL (CNT, IID, IXNM, URL, RYAK) values "
                   "(1, 3, '米国雇用統計', 'data:text/html,a', '雇用統計'), (2, 9, 'FOMC', '', 'FOMC')"),
    QStringLiteral("insert into WEBBRW (BRNAM, PASS) values ('既定', '/usr/bin/browser')"),
};

BrowserStandIn *standIn(WebView &view) { return static_cast<BrowserStandIn *>(view.control()); }

QColor background(QLineEdit *field) { return field->palette().color(QPalette::Base); }

} // namespace

// The web view's states with a browser that renders nothing, and the browser
// page on the real window.
class TestWebView : public QObject {
    Q_OBJECT
private slots:
    void firstNavigationStartsAndTheUrlWaitsForReady()
    {
        BrowserScope scope;
        WebView view(QStringLiteral("e201EB"));
        QCOMPARE(view.state(), WebView::State::NotStarted);
        QVERIFY(!view.control());

        view.navigate(QStringLiteral("   "));
        QCOMPARE(view.state(), WebView::State::Starting);
        BrowserStandIn &browser = *standIn(view);
        QCOMPARE(browser.starts, 1);
        QCOMPARE(view.rememberedUrl(), QString()); // a blank URL is not remembered
        QCOMPARE(view.settings().targetCompatibleBrowserVersion, QStringLiteral("117.0.2045.28"));
        QVERIFY(!view.settings().allowSingleSignOnUsingOSPrimaryAccount);

        view.navigate(QStringLiteral("data:text/html,first "));
        view.navigate(QStringLiteral("data:text/html,second "));
        view.navigate(QString());
        QCOMPARE(view.rememberedUrl(), QStringLiteral("data:text/html,second ")); // untrimmed, the last one
        QVERIFY(browser.loaded.isEmpty());

        browser.becomeReady();
        QCOMPARE(view.state(), WebView::State::Ready);
        QCOMPARE(browser.loaded, QStringList{QStringLiteral("data:text/html,second ")});

        view.navigate(QStringLiteral("file:///tmp/page.html"));
        for (const char *refused : {"", "  ", "www.example.org/page", "http://[bad"})
            view.navigate(QString::fromLatin1(refused));
        QCOMPARE(browser.loaded.size(), 2);
        QCOMPARE(browser.loaded.last(), QStringLiteral("file:///tmp/page.html"));
        QCOMPARE(browser.starts, 1);
    }

    void failedStartIsNeverRetried()
    {
        ScriptedBoxes boxes;
        BrowserScope scope;
        WebView view(QStringLiteral("e201EB"));
        view.navigate(QStringLiteral("data:text/html,a"));
        BrowserStandIn &browser = *standIn(view);
        browser.fail();
        QCOMPARE(view.state(), WebView::State::Failed);
        view.navigate(QStringLiteral("data:text/html,b"));
        browser.becomeReady(); // too late: nothing is loaded
        QCOMPARE(browser.starts, 1);
        QVERIFY(browser.loaded.isEmpty());
        QVERIFY(browser.isHidden());
        QVERIFY(boxes.errors.isEmpty() && boxes.messages.isEmpty());
    }

    void uncreatableControlReachesTheErrorBoxOnce()
    {
        WindowFixture f(kSeed, BrowserScope::none);
        f.start();
        TVostrelF &w = *f.window;
        QTest::keyClick(w.a102knE, Qt::Key_Return);
        QCOMPARE(f.boxes.errors, QStringList{kCreationError});
        QCOMPARE(w.e201EB->state(), WebView::State::Failed);
        w.a102knE->setFocus();
        QTest::keyClick(w.a102knE, Qt::Key_Return);
        QCOMPARE(f.boxes.errors.size(), 1);
    }

    void enterStartsTheViewNotTheWindowOrThePage()
    {
        WindowFixture f(kSeed);
        f.start();
        TVostrelF &w = *f.window;
        w.pc->setCurrentWidget(w.ets);
        QCOMPARE(w.e201EB->state(), WebView::State::NotStarted);
        w.pc->setCurrentWidget(w.ats);
        w.a102knE->setFocus();
        QTest::keyClick(w.a102knE, Qt::Key_Return);
        QCOMPARE(w.e201EB->state(), WebView::State::Starting);
        QCOMPARE(w.e201EB->rememberedUrl(), QStringLiteral("data:text/html,a"));
        QVERIFY(w.a106dyE->hasFocus());
        QCOMPARE(w.pc->currentWidget(), w.ats);

        QTest::keyClick(w.a106dyE, Qt::Key_F12); // F12 shows the page, without navigating
        QCOMPARE(w.pc->currentWidget(), w.ets);
        standIn(*w.e201EB)->becomeReady();
        QTest::mouseClick(w.e102agB, Qt::LeftButton);
        QTest::keyClick(w.a106dyE, Qt::Key_F12);
        QCOMPARE(standIn(*w.e201EB)->loaded.size(), 1);
    }

    void returnButtonGivesTheFieldBackItsFocus_data()
    {
        QTest::addColumn<QString>("field");
        for (const char *name : {"a106dyE", "a107dmE", "a108ddE", "a109hhE", "a110hmE", "a111rvE", "a112evE", "a113cvE"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void returnButtonGivesTheFieldBackItsFocus()
    {
        QFETCH(QString, field);
        WindowFixture f(kSeed);
        f.start();
        TVostrelF &w = *f.window;
        auto *edit = w.findChild<QLineEdit *>(field);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_F12);
        QCOMPARE(w.e103fmL->text(), field);
        for (int press = 0; press < 2; ++press) { // the same, any number of times
            w.e102agB->setFocus();
            QTest::mouseClick(w.e102agB, Qt::LeftButton);
            QCOMPARE(w.pc->currentWidget(), w.ats);
            QVERIFY(edit->hasFocus());
            QCOMPARE(background(edit), QColor(0, 0, 255));
            QVERIFY(!w.a00gdL->text().isEmpty());
        }
    }

    void returnButtonBeforeAnyF12OnlyShowsTheIndicatorPage()
    {
        WindowFixture f(kSeed);
        f.start();
        TVostrelF &w = *f.window;
        w.a107dmE->setFocus(); // the page's last field: not the one to come back to
        w.pc->setCurrentWidget(w.ets); // by the tab, without F12
        w.e102agB->setFocus();
        QTest::mouseClick(w.e102agB, Qt::LeftButton);
        QCOMPARE(w.pc->currentWidget(), w.ats);
        QCOMPARE(w.e103fmL->text(), QStringLiteral("e103fmL"));
        for (QLineEdit *field : {w.a106dyE, w.a107dmE, w.a108ddE, w.a109hhE, w.a110hmE, w.a111rvE, w.a112evE, w.a113cvE})
            QVERIFY(!field->hasFocus());
        QVERIFY(w.pc->isAncestorOf(QApplication::focusWidget()));
    }

    void firstActivationLoadsTheBrowserList()
    {
        WindowFixture f(kSeed);
        f.start();
        Dataset &qd = *f.dm->qd;
        QVERIFY(qd.isOpen());
        QCOMPARE(qd.text(QStringLiteral("PASS")), QStringLiteral("/usr/bin/browser"));
        QCOMPARE(qd.displayWidth(qd.fieldIndex(QStringLiteral("BRNAM"))), 12);
        QCOMPARE(qd.displayWidth(qd.fieldIndex(QStringLiteral("PASS"))), 70);
        QVERIFY(f.boxes.errors.isEmpty());
    }

    void browserListFailureEndsTheActivationWithEverythingElseDone_data()
    {
        QTest::addColumn<QString>("dictionaryChange");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no columns") << "delete from AAATST where TBID = (select TBID from AAATBN where TNAM = 'WEBBRW')"
                                    << "syntax error";
        QTest::newRow("no PASS") << "delete from AAATST where CNAM = 'PASS'" << "'PASS'";
    }
    void browserListFailureEndsTheActivationWithEverythingElseDone()
    {
        QFETCH(QString, dictionaryChange);
        QFETCH(QString, reason);
        WindowFixture f(QStringList(kSeed) << dictionaryChange);
        f.start();
        TVostrelF &w = *f.window;
        QCOMPARE(f.boxes.errors.size(), 1);
        QVERIFY2(f.boxes.errors.first().contains(reason), qPrintable(f.boxes.errors.first()));
        QCOMPARE(w.pc->currentWidget(), w.ats);
        QVERIFY(w.a102knE->hasFocus());
        QCOMPARE(background(w.a102knE), QColor(0, 0, 255));
        QCOMPARE(w.a102knE->text(), QStringLiteral("雇用統計"));
        QCOMPARE(w.b103fnE->text(), QStringLiteral("ドル円"));
        QVERIFY(w.A00P->caption() != QLatin1String("A00P"));
    }
};

KEIZAI_TEST_MAIN(TestWebView)
#include "tst_webview.moc"
