#pragma once
#include "BrowserStandIn.h"
#include "ScriptedBoxes.h"
#include "WorkFolder.h"
#include "app/VostrelF.h"
#include "store/Dataset.h"
#include "store/StandardDictionary.h"
#include "store/Tdm.h"
#include <QStringList>
#include <QtTest>
#include <algorithm>
#include <memory>

// The real window over a temporary working folder whose SQDB.DB holds the
// standard dictionary, every data table and the rows a test seeds. The web
// view gets the browser stand-in unless the test gives another factory.
//
// The start-up sequence stops at the price page when the FX list is empty
// (the database refuses the price statement), so a seed that does not name
// AAFXL gets one FX instrument, kInstrument, without prices.
class WindowFixture {
public:
    static inline const QString kInstrument = QStringLiteral(
        "insert into AAFXL (CNT, FID, FXNM, RYAK, CSVNM) values (1, 1, '米ドル/円', 'ドル円', 'USDJPY')");

    explicit WindowFixture(const QStringList &seed = {}, WebView::ControlFactory browser = BrowserScope::standIn)
        : browserScope(std::move(browser))
    {
        const bool namesFxList = std::any_of(seed.begin(), seed.end(), [](const QString &sql) {
            return sql.contains(QLatin1String("AAFXL"));
        });
        prepareDatabase(namesFxList ? seed : QStringList(seed) << kInstrument);
        window = std::make_unique<TVostrelF>();
        dm = std::make_unique<Tdm>();
        window->bindDataModule(dm.get());
    }
    ~WindowFixture()
    {
        dm.reset(); // as at the program's end: the data module goes first
        window.reset();
    }

    // Shows the window; its first activation runs the start-up sequence.
    void start()
    {
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    // One value of a statement run on the window's own connection.
    QString scalar(const QString &sql) const
    {
        Dataset probe(dm->csq, QStringLiteral("probe"));
        probe.setSql(sql);
        probe.open();
        return probe.text(0);
    }

    BrowserScope browserScope;
    WorkFolder folder;
    ScriptedBoxes boxes;
    std::unique_ptr<TVostrelF> window;
    std::unique_ptr<Tdm> dm;

private:
    void prepareDatabase(const QStringList &seed)
    {
        StandardDictionary::createFile(folder.database());
        Tdm setup;
        StoreRoutines store;
        store.setDataModule(&setup);
        store.uqCtbl(4);
        store.uqCtbl(1);
        for (const QString &sql : seed)
            setup.csq.execute(sql);
    }
};
