#include "ScratchHome.h"
#include "ScriptedBoxes.h"
#include "WindowFixture.h"
#include "WorkFolder.h"
#include "app/Panel.h"
#include "app/CommandLine.h"
#include "app/VostrelF.h"
#include "app/WorkingFolder.h"
#include "store/StandardDictionary.h"
#include "store/Tdm.h"
#include <QLineEdit>
#include <QMessageBox>
#include <QScopeGuard>
#include <QTimer>
#include <QWindow>
#include "app/MessageBoxes.h"
#include <QPushButton>
#include "TestMain.h"

// Start-up on a real window: the first activation and what stops it.
class TestStartup : public QObject {
    Q_OBJECT

    // The window over the current folder, shown: its activation runs the
    // start-up sequence.
    struct Started {
        Started()
        {
            window.bindDataModule(&dm);
            window.show();
        }
        TVostrelF window;
        Tdm dm; // goes first, as at the program's end
    };
private slots:
    void badDatabaseStopsWithTheErrorBox_data()
    {
        QTest::addColumn<QByteArray>("content"); // of SQDB.DB; empty: no file
        QTest::addColumn<QString>("reason");
        QTest::newRow("no file") << QByteArray() << "AAATBN";
        QTest::newRow("no database") << QByteArray(4096, 'x') << "not a database";
    }
    void badDatabaseStopsWithTheErrorBox()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        WorkFolder folder;
        if (!content.isEmpty()) {
            QFile file(folder.database());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        ScriptedBoxes boxes;
        Started started;
        TVostrelF &window = started.window;
        Tdm &dm = started.dm;
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(boxes.errors.size(), 1);
        QVERIFY2(boxes.errors.first().contains(reason), qPrintable(boxes.errors.first()));
        QCOMPARE(window.A00P->caption(), QStringLiteral("A00P"));
        // What needs the lists then says the database could not be opened, and why.
        for (QPushButton *action : {window.a114rgB, window.c11gpB, window.a203cwB}) {
            boxes.clear();
            QTest::mouseClick(action, Qt::LeftButton);
            QVERIFY2(!boxes.errors.isEmpty(), qPrintable(action->objectName()));
            QVERIFY2(boxes.errors.first().contains(QStringLiteral("データベースを開けませんでした\n"))
                         && boxes.errors.first().contains(reason),
                     qPrintable(boxes.errors.first()));
        }
        QFile file(folder.database());
        QVERIFY(file.open(QIODevice::ReadOnly));
        if (!content.isEmpty())
            QCOMPARE(file.readAll(), content);
    }

    // The real error box: closing it does not run the start again; a
    // return from another program does.
    void closingTheErrorBoxDoesNotStartAgain()
    {
        WorkFolder folder;
        MessageBoxes real;
        Boxes::install(&real);
        const auto restore = qScopeGuard([] { Boxes::install(nullptr); });
        QStringList shown;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                shown << box->text();
                box->accept();
            }
        });
        closer.start(20);
        Started started;
        QTRY_COMPARE(shown.size(), 1);
        QTest::qWait(300);
        QCOMPARE(shown.size(), 1);

        QWindow elsewhere; // as another program's window: it takes the activation, then the user comes back
        elsewhere.show();
        elsewhere.requestActivate();
        QTRY_VERIFY(!started.window.isActiveWindow());
        started.window.activateWindow();
        QTRY_COMPARE(shown.size(), 2);
        QVERIFY2(shown.last().contains(QStringLiteral("AAATBN")), qPrintable(shown.last()));
    }

    void nextActivationStartsAgainFromTheConnection()
    {
        WorkFolder folder;
        ScriptedBoxes boxes;
        Started started;
        TVostrelF &window = started.window;
        Tdm &dm = started.dm;
        QVERIFY(QTest::qWaitForWindowActive(&window));

        QCOMPARE(boxes.errors.size(), 1);

        // Once the dictionary is there, the next activation starts again
        // from the connection. An FX instrument lets it run to its end.
        StandardDictionary::create(dm.csq);
        dm.csq.execute(StandardDictionary::createStatement(*StandardDictionary::table(QStringLiteral("AAFXL"))));
        dm.csq.execute(WindowFixture::kInstrument);
        boxes.clear();
        window.FormActivate(&window);
        QVERIFY2(boxes.errors.isEmpty(), qPrintable(boxes.errors.join(QLatin1Char('\n'))));
        QVERIFY(dm.csq.isOpen());
        Dataset probe(dm.csq, QStringLiteral("probe"));
        probe.setSql(QStringLiteral("select group_concat(name) from (select name from sqlite_master "
                                    "where type = 'table' order by name)"));
        probe.open();
        QCOMPARE(probe.text(0), QStringLiteral("AAATBN,AAATST,AAEIL,AAFXL,AFX,AINDX,WEBBRW"));
        QCOMPARE(window.A00P->caption(), QString());
        QVERIFY(window.a102knE->hasFocus());
    }

    // The first start in the user's own folder, as from the menu: yes makes
    // the dictionary and the first activation goes on as usual; no leaves a
    // folder without a database, as anywhere.
    void firstStartAtHome_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("tables");
        QTest::newRow("yes") << true << "AAATBN,AAATST,AAEIL,AAFXL,AFX,AINDX,WEBBRW";
        QTest::newRow("no") << false << "";
    }
    void firstStartAtHome()
    {
        QFETCH(bool, yes);
        QFETCH(QString, tables);
        ScratchHome home;
        ScriptedBoxes boxes;
        boxes.answerNext(yes);
        QVERIFY(WorkingFolder::prepare(CommandLine::parse({QStringLiteral("--home")})));
        QCOMPARE(boxes.confirmations.size(), 1);

        Started started;
        TVostrelF &window = started.window;
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(started.dm.csq.path(), CommandLine::homeFolder() + QStringLiteral("/SQDB.DB"));
        // After a failed start the window's connection refuses every query
        // (and keeps its exclusive lock): read the file on a new one.
        const QString path = started.dm.csq.path();
        started.dm.csq.close();
        Connection reader;
        reader.open(path);
        Dataset probe(reader, QStringLiteral("probe"));
        probe.setSql(QStringLiteral("select group_concat(name) from (select name from sqlite_master "
                                    "where type = 'table' order by name)"));
        probe.open();
        QCOMPARE(probe.text(0), tables);
        if (yes) {
            // A new database has an empty FX list: the price statement has
            // no FID and is refused, so the start stops at the price page.
            QCOMPARE(boxes.errors.size(), 1);
            QVERIFY2(boxes.errors.first().contains(QLatin1String("syntax error")), qPrintable(boxes.errors.first()));
            QCOMPARE(window.A00P->caption(), QString());
        } else {
            QCOMPARE(boxes.errors.size(), 1);
            QVERIFY2(boxes.errors.first().contains(QStringLiteral("AAATBN")), qPrintable(boxes.errors.first()));
            QCOMPARE(window.A00P->caption(), QStringLiteral("A00P"));
        }
    }
};

KEIZAI_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
