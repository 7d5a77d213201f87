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

    void indicatorNineNavigatesAndShowsThePage()
    {
        WindowFixture f(kSeed);
        f.start();
        TVostrelF &w = *f.window;
        QTest::keyClick(w.a102knE, Qt::Key_Down);
        QTest::keyClick(w.a102knE, Qt::Key_Return);
        QCOMPARE(w.pc->currentWidget(), w.ets);
        QCOMPARE(w.e201EB->state(), WebView::State::Starting);
        QCOMPARE(w.e201EB->rememberedUrl(), QString()); // its URL is empty
    }

};

KEIZAI_TEST_MAIN(TestWebView)
#include "tst_webview.moc"
