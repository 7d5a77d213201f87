#include "web/WebViewSettings.h"
#include <QStandardPaths>
#include <QtTest>

// The web view's user data folder, expanded as the platform expands it.
class TestWebViewSettings : public QObject {
    Q_OBJECT
private slots:
    void expandFolder_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expanded");
        QTest::newRow("set") << "%LOCALAPPDATA%\\bds.exe.WebView2" << "C:/Users/u/AppData/Local/bds.exe.WebView2";
        QTest::newRow("any case") << "%localappdata%\\x" << "C:/Users/u/AppData/Local/x";
        QTest::newRow("two") << "%HOME%\\%LOCALAPPDATA%" << "/home/u/C:/Users/u/AppData/Local";
        QTest::newRow("unknown stays") << "%NOPE%\\x" << "%NOPE%/x";
        QTest::newRow("lone percent") << "50%\\x" << "50%/x";
        QTest::newRow("none") << "a\\b" << "a/b";
    }
    void expandFolder()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, expanded);
        auto variable = [](const QString &name) {
            if (name.compare(QLatin1String("LOCALAPPDATA"), Qt::CaseInsensitive) == 0)
                return QStringLiteral("C:\\Users\\u\\AppData\\Local");
            return name == QLatin1String("HOME") ? QStringLiteral("/home/u") : QString();
        };
        QCOMPARE(WebViewSettings::expandFolder(pattern, variable), expanded);
    }

    void browserPageFolderFallsBackToTheLocalDataFolder()
    {
        const QByteArray saved = qgetenv("LOCALAPPDATA");
        qputenv("LOCALAPPDATA", "/tmp/local");
        QCOMPARE(WebViewSettings::browserPage().userDataFolder, QStringLiteral("/tmp/local/bds.exe.WebView2"));
        qunsetenv("LOCALAPPDATA");
        QCOMPARE(WebViewSettings::browserPage().userDataFolder,
                 QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/bds.exe.WebView2"));
        if (!saved.isNull())
            qputenv("LOCALAPPDATA", saved);
    }
};

QTEST_GUILESS_MAIN(TestWebViewSettings)
#include "tst_webviewsettings.moc"
