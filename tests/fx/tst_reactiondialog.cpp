// The reaction table on the real window: opened from the chart page, its
// table, summary and scatter plot, its two fields, and its export.
#include "TestMain.h"
#include "WindowFixture.h"
#include "exchange/AnsiCodePage.h"
#include "fx/ReactionDialog.h"
#include <QAbstractItemModel>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScatterSeries>
#include <QTableView>
#include <QToolTip>

namespace {

// Prices every 15 minutes from 2024/05/03 21:00 to 22:45, closing at 15000
// + the row number; one release before them all, one at 21:30 and one at
// 22:00 stored with a one-digit month and day; another indicator's release.
QStringList seed()
{
    return {
        QStringLiteral("insert into AAFXL (CNT, FID, FXNM, RYAK, CSVNM) values (1, 1, 'USDJPY', 'ドル円', 'USDJPY')"),
        QStringLiteral("insert into AAEIL (CNT, IID, IXNM, URL, RYAK, CSVNM) values "
                       "(1, 3, '米国雇用統計', '', '雇用統計', 'USNFP'), (2, 7, 'ISM製造業', '', 'ISM', 'ISM')"),
        QStringLiteral("insert into AINDX (CNT, IID, IXNM, DY, DM, DD, HH, HM, RV, EV, CV) values "
                       "(10, 3, '米国雇用統計', '2024', '05', '03', '21', '30', 175, 240, 165), "
                       "(11, 3, '米国雇用統計', '2024', '5', '3', '22', '00', 300, 200, NULL), "
                       "(12, 3, '米国雇用統計', '2024', '04', '05', '21', '30', 303, 200, 315), "
                       "(13, 7, 'ISM製造業', '2024', '05', '03', '22', '15', 492, 480, NULL)"),
        QStringLiteral("with recursive n(i) as (select 0 union all select i + 1 from n where i < 7) "
                       "insert into AFX (CNT, FID, FXNM, DYL, DML, DDL, HHL, HML, OV, HV, LV, CV) select i + 1, 1, "
                       "'USDJPY', '2024', '05', '03', printf('%02d', 21 + i / 4), printf('%02d', (i % 4) * 15), "
                       "1, 1, 1, 15000 + i from n"),
    };
}

struct Reactions : WindowFixture {
    Reactions() : WindowFixture(seed())
    {
        start();
        window->pc->setCurrentWidget(window->cts);
    }

    ReactionDialog *dialog() const { return window->findChild<ReactionDialog *>(); }

    // Every cell of the table, "|" between cells, one text per row.
    QStringList table() const
    {
        const QAbstractItemModel *model = dialog()->tdg->model();
        QStringList rows;
        for (int r = 0; r < model->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < model->columnCount(); ++c)
                cells << model->index(r, c).data().toString();
            rows << cells.join(QLatin1Char('|'));
        }
        return rows;
    }

    QStringList titles() const
    {
        const QAbstractItemModel *model = dialog()->tdg->model();
        QStringList out;
        for (int c = 0; c < model->columnCount(); ++c)
            out << model->headerData(c, Qt::Horizontal).toString();
        return out;
    }

    void type(QLineEdit *field, const QString &text)
    {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    }
};

} // namespace

class TestReactionDialog : public QObject {
    Q_OBJECT
private slots:
    void opensWithTableSummaryAndPlot()
    {
        Reactions f;
        QTest::keyClick(f.window.get(), Qt::Key_T, Qt::AltModifier); // the button's access key
        QTRY_VERIFY(f.dialog()); // the click follows once the button has shown itself down
        ReactionDialog *d = f.dialog();
        QVERIFY(f.boxes.errors.isEmpty());
        QVERIFY(d->isVisible() && !d->isModal());
        QCOMPARE(d->objectName(), QStringLiteral("指標反応表"));
        QCOMPARE(d->windowTitle(), QStringLiteral("指標反応表"));
        QCOMPARE(d->font(), f.window->font());
        QCOMPARE(d->t00ttlL->text(), QStringLiteral("経済指標(雇用統計)の発表と FX (ドル円)の価格"));
        QCOMPARE(d->t02tzL->text(), QStringLiteral("価格の時差"));
        QVERIFY(d->t03gdL->text().contains(QStringLiteral("夏時間")));

        QCOMPARE(f.titles(), (QStringList{"発表日時", "結果値", "期待値", "補正値", "ｻﾌﾟﾗｲｽﾞ", "発表時価格", "1h後価格",
                                          "1h変動", "4h後価格", "4h変動", "24h後価格", "24h変動"}));
        QCOMPARE(f.table(), (QStringList{
                                "2024/04/05 21:30|303|200|315|103|||||||",
                                "2024/05/03 21:30|175|240|165|-65|15002|15006|4|15007|5|15007|5",
                                "2024/05/03 22:00|300|200||100|15004|15007|3|15007|3|15007|3",
                            }));
        QVERIFY(d->t04smL->text().startsWith(
            QStringLiteral("発表 3 件    1h: 2件 平均変動 ｻﾌﾟﾗｲｽﾞ正 +3.0 / 負 +4.0  方向一致 50.0%  相関 -1.00")));

        QCOMPARE(d->t05hzC->count(), 3);
        QCOMPARE(d->t06ser->count(), 2);
        QCOMPARE(d->t06ser->at(0), QPointF(-65, 4));
        emit d->t06ser->hovered(d->t06ser->at(1), true);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("2024/05/03 22:00  ｻﾌﾟﾗｲｽﾞ 100  1h変動 3  (結果値 300 期待値 200)"));

        // The window goes on working while the table is open.
        QTest::mouseClick(f.window->c11gpB, Qt::LeftButton);
        QVERIFY(d->isVisible());
        QVERIFY(f.boxes.errors.isEmpty());
    }

    void theFieldsChangeTheTable()
    {
        Reactions f;
        QTest::mouseClick(f.window->c13rtB, Qt::LeftButton);
        ReactionDialog *d = f.dialog();
        QVERIFY(d);

        f.type(d->t01hzE, QStringLiteral("15m,1h"));
        QCOMPARE(f.titles().mid(6), (QStringList{"15m後価格", "15m変動", "1h後価格", "1h変動"}));
        QCOMPARE(f.table().at(1), QStringLiteral("2024/05/03 21:30|175|240|165|-65|15002|15003|1|15006|4"));
        QCOMPARE(d->t05hzC->itemText(0), QStringLiteral("15m"));

        // The prices an hour later: the first row now stands at 22:00.
        d->t05hzC->setCurrentIndex(1);
        f.type(d->t02tzE, QStringLiteral("1"));
        QCOMPARE(f.table().at(1), QStringLiteral("2024/05/03 21:30|175|240|165|-65||||15002|"));
        QCOMPARE(f.table().at(2), QStringLiteral("2024/05/03 22:00|300|200||100|15000|15001|1|15004|4"));
        QCOMPARE(d->t05hzC->currentIndex(), 1);
        QCOMPARE(d->t06ser->count(), 1);
        QCOMPARE(d->t06ser->at(0), QPointF(100, 4));

        // A field that cannot be read ends in the error box and changes nothing.
        const QStringList before = f.table();
        f.type(d->t01hzE, QStringLiteral("1h,2x"));
        QCOMPARE(f.boxes.errors, QStringList{"'2x' は時間の長さではありません (例: 1h,4h,24h,15m)"});
        QCOMPARE(f.table(), before);
        QVERIFY(d->isVisible());

        // Opened again on another indicator, the same table shows its
        // releases, with the fields as they stand.
        d->t01hzE->setText(QStringLiteral("1h"));
        f.dm->qe1->next();
        QTest::mouseClick(f.window->c13rtB, Qt::LeftButton);
        QCOMPARE(f.window->findChildren<ReactionDialog *>().size(), 1);
        QCOMPARE(f.table(), QStringList{"2024/05/03 22:15|492|480||12|15001|15005|4"});
    }

    // The export writes the table in code page 932 with CR LF and says where.
    void export_()
    {
        Reactions f;
        QTest::mouseClick(f.window->c13rtB, Qt::LeftButton);
        ReactionDialog *d = f.dialog();
        f.type(d->t01hzE, QStringLiteral("1h"));
        QTest::mouseClick(d->t07cwB, Qt::LeftButton);
        const QString path = f.folder.path() + QStringLiteral("/経済指標/CSV/USNFP_反応.CSV");
        QCOMPARE(f.boxes.messages, QStringList{QDir::toNativeSeparators(path) + QStringLiteral(" に反応表を書出しました")});
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes, *AnsiCodePage::encode(QStringLiteral(
                            "発表日時,結果値,期待値,補正値,ｻﾌﾟﾗｲｽﾞ,発表時価格,1h後価格,1h変動\r\n"
                            "2024/04/05 21:30,303,200,315,103,,,\r\n"
                            "2024/05/03 21:30,175,240,165,-65,15002,15006,4\r\n"
                            "2024/05/03 22:00,300,200,,100,15004,15007,3\r\n")));
    }

    // The demo folder, its price files imported: every release of the
    // first indicator has its price and its move an hour later.
    void theDemoFolderGivesATable()
    {
        WorkFolder folder;
        QProcess init;
        init.start(QStringLiteral(SQDB_INIT), {folder.path(), QStringLiteral("--sample")});
        QVERIFY(init.waitForFinished(60000) && init.exitCode() == 0);
        ScriptedBoxes boxes;
        TVostrelF window;
        Tdm dm;
        window.bindDataModule(&dm);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::mouseClick(window.b105cvrB, Qt::LeftButton);
        window.pc->setCurrentWidget(window.cts);
        QTest::mouseClick(window.c13rtB, Qt::LeftButton);
        QVERIFY(boxes.errors.isEmpty());
        const ReactionDialog *d = window.findChild<ReactionDialog *>();
        QVERIFY(d && !d->rows().empty());
        for (const Reaction::Row &row : d->rows())
            QVERIFY(row.surprise && row.price && row.moves[0]);
        QCOMPARE(d->t06ser->count(), int(d->rows().size()));
        dm.csq.close(); // as at the program's end: the connection goes before the window
    }
};

KEIZAI_TEST_MAIN(TestReactionDialog)
#include "tst_reactiondialog.moc"
