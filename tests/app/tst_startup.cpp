#include "DictionaryFixture.h"
#include "ScriptedBoxes.h"
#include "WorkFolder.h"
#include "app/Panel.h"
#include "app/VostrelF.h"
#include "store/Tdm.h"
#include "TestMain.h"

// Start-up on a real window: the first activation and what stops it.
class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void missingDatabaseStopsWithTheErrorBoxAndKeepsTheMarker()
    {
        WorkFolder folder;
        ScriptedBoxes boxes;
        TVostrelF window;
        Tdm dm;
        window.setDataModule(&dm);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        QVERIFY(QFile::exists(folder.database()));
        QCOMPARE(boxes.errors.size(), 1);
        QVERIFY2(boxes.errors.first().contains(QStringLiteral("AAATBN")), qPrintable(boxes.errors.first()));
        QCOMPARE(window.A00P->caption(), QStringLiteral("A00P"));

        // Once the dictionary is there, the next activation starts again
        // from the connection.
        DictionaryFixture::createTables(dm.csq);
        DictionaryFixture::describeT1(dm.csq);
        boxes.clear();
        window.FormActivate(&window);
        QVERIFY(boxes.errors.isEmpty());
        QVERIFY(dm.csq.isOpen());
        Dataset probe(dm.csq, QStringLiteral("probe"));
        probe.setSql(QStringLiteral("select count(*) from sqlite_master where name = 'T1'"));
        probe.open();
        QCOMPARE(probe.text(0), QStringLiteral("1"));
    }
};

KEIZAI_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
