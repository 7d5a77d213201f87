#include "TestMain.h"
#include "WindowFixture.h"
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QWebEngineDownloadRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace {

// Long enough for the engine's first start on a busy machine; a start that
// fails ends the wait at once.
constexpr int kEngineWait = 30000;

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

// The browser page with the real web engine, over pages in the working folder.
class TestBrowser : public QObject {
    Q_OBJECT

    QTemporaryDir localData_;

    struct Shown {
        explicit Shown(const QString &url)
            : f({QStringLiteral("insert into AAEIL (CNT, IID, IXNM, URL, RYAK) values "
                                "(1, 3, '米国雇用統計', '%1', '雇用統計'), (2, 5, '日銀短観', '', '短観')")
                     .arg(url)},
                WebView::engineControl)
        {
        }
        WindowFixture f;
    };

    static QWebEngineView *engineView(TVostrelF &w) { return w.e201EB->findChild<QWebEngineView *>(); }

    // Waits until the view has started and loaded what it was sent to.
    static bool waitForPage(TVostrelF &w, const QString &title)
    {
        QWebEngineView *view = nullptr;
        for (QDeadlineTimer deadline(kEngineWait); !deadline.hasExpired(); QTest::qWait(20)) {
            if (w.e201EB->state() == WebView::State::Failed)
                return false;
            view = engineView(w);
            if (view && w.e201EB->state() == WebView::State::Ready && view->title() == title)
                return true;
        }
        return false;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(localData_.isValid());
        qputenv("LOCALAPPDATA", localData_.path().toLocal8Bit());
    }

    void pageLoadedOnEnterAndKeptForAnIndicatorWithoutUrl()
    {
        QTemporaryDir pages;
        const QString page = pages.filePath(QStringLiteral("employment.html"));
        writeFile(page, "<html><head><title>雇用統計の発表</title><meta charset=\"utf-8\"></head><body>NFP</body></html>");
        Shown shown(QUrl::fromLocalFile(page).toString());
        WindowFixture &f = shown.f;
        f.start();
        TVostrelF &w = *f.window;
        QCOMPARE(w.e201EB->state(), WebView::State::NotStarted);

        QTest::keyClick(w.a102knE, Qt::Key_Return);
        QVERIFY(w.a106dyE->hasFocus());
        QVERIFY2(waitForPage(w, QStringLiteral("雇用統計の発表")), "the page did not load");
        QCOMPARE(w.e201EB->settings().userDataFolder, localData_.filePath(QStringLiteral("bds.exe.WebView2")));
        QVERIFY(QDir(w.e201EB->settings().userDataFolder).exists());

        w.a102knE->setFocus();
        QTest::keyClick(w.a102knE, Qt::Key_Down); // the indicator without a URL
        QTest::keyClick(w.a102knE, Qt::Key_Return);
        QTest::qWait(200);
        QCOMPARE(engineView(w)->title(), QStringLiteral("雇用統計の発表"));
        QCOMPARE(engineView(w)->url(), QUrl::fromLocalFile(page));
        QVERIFY(f.boxes.errors.isEmpty());
    }

    // A link to a new window opens in the view; a download is refused; a page
    // that cannot be loaded shows the engine's error page and no box.
    void whatAnEmbeddedBrowserDoesWithNewWindowsDownloadsAndFailures()
    {
        QTemporaryDir pages;
        const QString first = pages.filePath(QStringLiteral("first.html"));
        const QString second = pages.filePath(QStringLiteral("second.html"));
        writeFile(first, "<html><head><title>first</title></head><body>"
                         "<a id=\"w\" href=\"second.html\" target=\"_blank\">w</a>"
                         "<a id=\"d\" href=\"data:application/octet-stream,abc\" download=\"x.bin\">d</a></body></html>");
        writeFile(second, "<html><head><title>second</title></head><body></body></html>");
        Shown shown(QUrl::fromLocalFile(first).toString());
        WindowFixture &f = shown.f;
        f.start();
        TVostrelF &w = *f.window;
        QTest::keyClick(w.a102knE, Qt::Key_Return);
        QVERIFY2(waitForPage(w, QStringLiteral("first")), "the page did not load");
        QWebEngineView *view = engineView(w);

        QSignalSpy downloads(view->page()->profile(), &QWebEngineProfile::downloadRequested);
        view->page()->runJavaScript(QStringLiteral("document.getElementById('d').click()"));
        QVERIFY(downloads.wait(kEngineWait));
        auto *download = downloads.first().first().value<QWebEngineDownloadRequest *>();
        QCOMPARE(download->state(), QWebEngineDownloadRequest::DownloadCancelled);

        view->page()->runJavaScript(QStringLiteral("document.getElementById('w').click()"));
        QTRY_COMPARE_WITH_TIMEOUT(view->title(), QStringLiteral("second"), kEngineWait);
        QCOMPARE(w.findChildren<QWebEngineView *>().size(), 1);

        QSignalSpy loads(view->page(), &QWebEnginePage::loadFinished);
        w.e201EB->navigate(QUrl::fromLocalFile(pages.filePath(QStringLiteral("missing.html"))).toString());
        QVERIFY(loads.wait(kEngineWait));
        QCOMPARE(loads.first().first().toBool(), false);
        QCOMPARE(w.e201EB->state(), WebView::State::Ready);
        QVERIFY(f.boxes.errors.isEmpty() && f.boxes.messages.isEmpty());
    }
};

KEIZAI_TEST_MAIN(TestBrowser)
#include "tst_browser.moc"
