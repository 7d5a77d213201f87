#include "ReadLock.h"
#include "TestMain.h"
#include "WindowFixture.h"
#include "app/DataGrid.h"
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabWidget>

namespace {

const QStringList kSeed = {
    QStringLiteral("insert into AINDX (CNT, IID, IXNM, DY, DM, DD, HH, HM, RV, EV, CV) values "
                   "(1, 3, 'NFP', '2024', '03', '08', '22', '30', 100, 110, 90), "
                   "(2, 3, 'NFP', '2024', '04', '05', '21', '30', 200, 210, 190), "
                   "(3, 3, 'NFP', '2024', '05', '03', '21', '30', 300, 310, 290)"),
    QStringLiteral("insert into AFX (CNT, FID, DYL, DML, DDL, HHL, HML, OV, HV, LV, CV) values "
                   "(1, 1, '2024', '01', '02', '09', '00', 14100, 14200, 14000, 14150), "
                   "(2, 1, '2024', '01', '03', '09', '00', 14150, 14300, 14100, 14250), "
                   "(3, 1, '2024', '01', '04', '09', '00', 14250, 14400, 14200, 14350)"),
    // Two FX rows alike in every column.
    QStringLiteral("insert into AAFXL (CNT, FID, FXNM, RYAK, CSVNM) values "
                   "(1, 1, 'USDJPY', 'UJ', 'USDJPY'), (1, 1, 'USDJPY', 'UJ', 'USDJPY'), "
                   "(2, 2, 'EURJPY', 'EJ', 'EURJPY')"),
};

QWidget *focused() { return QApplication::focusWidget(); }

void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(focused(), Qt::Key(k), modifiers);
}

// Keys go where the focus is: the grid first, then its cell editor.
void type(const QString &text)
{
    for (const QChar c : text)
        QTest::keyClick(focused(), c.toLatin1());
}

QString cell(DataGrid *grid, int row, int column)
{
    return grid->model()->index(row, column).data().toString();
}

QString marker(DataGrid *grid, int row)
{
    return grid->model()->headerData(row, Qt::Vertical).toString();
}

} // namespace

// The four data grids on the real window over a real SQDB.DB, with real keys.
class TestGrids : public QObject {
    Q_OBJECT

    // Opens a query on a select of the builder, as the loading routines do.
    static void openBuilt(TVostrelF &w, Dataset &q, const char *table, const QString &tail)
    {
        w.stnm = QString::fromLatin1(table);
        w.swh = tail;
        w.ucSql(1);
        q.setSql(w.sqw);
        q.open();
        w.applyDisplayWidths(q);
    }

    // Shows the grid's page, focuses the grid and goes to a column of the
    // query's current row.
    static void enter(TVostrelF &w, DataGrid *grid, int column)
    {
        for (QWidget *page = grid->parentWidget(); page; page = page->parentWidget())
            if (w.pc->indexOf(page) >= 0)
                w.pc->setCurrentWidget(page);
        grid->setFocus();
        QVERIFY(grid->hasFocus());
        grid->selectionModel()->setCurrentIndex(grid->model()->index(grid->dataset()->currentRow(), column),
                                                QItemSelectionModel::ClearAndSelect);
    }

    struct Grids : WindowFixture {
        explicit Grids(const QStringList &more = {}) : WindowFixture(QStringList(kSeed) << more)
        {
            start();
            TVostrelF &w = *window;
            openBuilt(w, *dm->qe2, "AINDX", QStringLiteral(" where IID = 3 order by CNT "));
            openBuilt(w, *dm->qf2, "AFX", QStringLiteral(" where FID = 1 order by CNT "));
            openBuilt(w, *dm->qf1, "AAFXL", QStringLiteral(" order by CNT "));
        }
    };

    static constexpr int RV = 5, OV = 5, FXNM = 2;

private slots:
    void columnsTitlesAndAlignment()
    {
        Grids f;
        TVostrelF &w = *f.window;
        const std::vector<std::pair<DataGrid *, QString>> grids = {
            {w.adg, QStringLiteral("年|月|日|時|分|結果|期待|補正|摘要|CNT")},
            {w.bdg, QStringLiteral("年|月|日|時|分|始値|高値|安値|終値|摘要|CNT")},
            {w.d1G, QStringLiteral("CNT|FXID|FX名|略称|CSVﾌｧｲﾙ|摘要")},
            {w.d2G, QStringLiteral("CNT|IDXID|指標名|ｻｲﾄ名|URL|略称|CSV書出|摘要")},
        };
        for (const auto &[grid, titles] : grids) {
            QStringList shown;
            for (int c = 0; c < grid->model()->columnCount(); ++c)
                shown << grid->model()->headerData(c, Qt::Horizontal).toString();
            QCOMPARE(shown.join(QLatin1Char('|')), titles);
            QCOMPARE(grid->horizontalHeader()->defaultAlignment(), Qt::AlignCenter);
            QCOMPARE(grid->horizontalHeader()->font().family(), QStringLiteral("ＭＳ ゴシック"));
            QCOMPARE(grid->horizontalHeader()->font().pixelSize(), 23);
            QCOMPARE(grid->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
        }
        QCOMPARE(w.d2G->dataSource(), f.dm->dse1);
        QCOMPARE(w.adg->dataset(), f.dm->qe2);

        // adg reads every column of AINDX but shows only its own: IID and
        // IXNM are not there. Results are right-aligned, the year left, the
        // whole-number CNT right by its type.
        DataGrid *adg = w.adg;
        QCOMPARE(adg->model()->columnCount(), 10);
        QCOMPARE(cell(adg, 0, RV), QStringLiteral("100"));
        QCOMPARE(cell(adg, 0, 9), QStringLiteral("1"));
        auto alignment = [&](int column) {
            return Qt::Alignment(adg->model()->index(0, column).data(Qt::TextAlignmentRole).toInt()) & Qt::AlignHorizontal_Mask;
        };
        QCOMPARE(alignment(0), Qt::AlignLeft);
        QCOMPARE(alignment(RV), Qt::AlignRight);
        QCOMPARE(alignment(9), Qt::AlignRight);

        // The marker column shows the current row; a click on a title does nothing.
        QCOMPARE(marker(adg, 0), QStringLiteral("▶"));
        QCOMPARE(marker(adg, 1), QString());
        enter(w, adg, 1);
        f.dm->qe2->moveTo(2);
        QCOMPARE(adg->currentIndex().row(), 2);
        QCOMPARE(marker(adg, 2), QStringLiteral("▶"));
        QHeaderView *titles = adg->horizontalHeader();
        QTest::mouseClick(titles->viewport(), Qt::LeftButton, {},
                          QPoint(titles->sectionViewportPosition(RV) + 5, titles->height() / 2));
        QCOMPARE(adg->currentIndex(), adg->model()->index(2, 1));
        QCOMPARE(adg->selectionModel()->selectedIndexes().size(), 1);

        // A query lacking a listed field, or closed, shows nothing for it.
        f.dm->qe2->setSql(QStringLiteral("select DY, RV from AINDX order by CNT"));
        f.dm->qe2->open();
        QCOMPARE(cell(adg, 0, 0), QStringLiteral("2024"));
        QCOMPARE(cell(adg, 0, RV), QStringLiteral("100"));
        QVERIFY(adg->model()->index(0, 1).data().isNull());
        QVERIFY(!(adg->model()->index(0, 1).flags() & Qt::ItemIsEditable));
        f.dm->qe2->close();
        QCOMPARE(adg->model()->rowCount(), 0);
        QCOMPARE(adg->model()->columnCount(), 10);
        QCOMPARE(w.adg->dataset(), f.dm->qe2);
    }

    void columnWidthsFromTheDisplayWidth()
    {
        Grids f;
        DataGrid *adg = f.window->adg;
        Dataset &q = *f.dm->qe2;
        const QFontMetrics cells = adg->fontMetrics();
        const QFontMetrics titles = adg->horizontalHeader()->fontMetrics();
        const int digit = cells.horizontalAdvance(QLatin1Char('0'));
        for (int c = 0; c < adg->model()->columnCount(); ++c) {
            const int field = adg->datasetModel()->fieldOf(c);
            const int expected = std::max(q.displayWidth(field) * digit + 4,
                                          titles.horizontalAdvance(adg->datasetModel()->title(c)) + 4);
            QCOMPARE(adg->columnWidth(c), expected);
        }
        // DY has the display width 4: about four digits, room for a year.
        QCOMPARE(q.displayWidth(q.fieldIndex(QStringLiteral("DY"))), 4);
        QVERIFY(adg->columnWidth(0) >= cells.horizontalAdvance(QStringLiteral("2024")));
        QVERIFY(adg->columnWidth(0) < cells.horizontalAdvance(QStringLiteral("20245")) + 4);
        // One digit is narrower than the title "月": the title wins.
        q.setDisplayWidth(q.fieldIndex(QStringLiteral("DM")), 1);
        QCOMPARE(adg->columnWidth(1), titles.horizontalAdvance(QStringLiteral("月")) + 4);
        // The user can drag a column; reopening sets the widths again.
        adg->horizontalHeader()->resizeSection(0, 200);
        QCOMPARE(adg->columnWidth(0), 200);
        openBuilt(*f.window, q, "AINDX", QStringLiteral(" where IID = 3 order by CNT "));
        QCOMPARE(adg->columnWidth(0), 4 * digit + 4 >= titles.horizontalAdvance(QStringLiteral("年")) + 4
                                          ? 4 * digit + 4
                                          : titles.horizontalAdvance(QStringLiteral("年")) + 4);
    }

    // A display width of 2147483647 characters does not overflow the column.
    void hugeDisplayWidthDoesNotOverflow()
    {
        Grids f;
        DataGrid *adg = f.window->adg;
        f.dm->qe2->setDisplayWidth(adg->datasetModel()->fieldOf(RV), 2147483647);
        QVERIFY(adg->columnWidthFor(RV) > 1000);
    }

    void anEditIsWrittenWhenTheUserLeavesTheRow()
    {
        Grids f;
        TVostrelF &w = *f.window;
        enter(w, w.adg, RV);
        type(QStringLiteral("555"));
        QVERIFY(w.adg->cellEditor());
        QCOMPARE(marker(w.adg, 0), QStringLiteral("I"));
        QCOMPARE(f.scalar(QStringLiteral("select RV from AINDX where CNT = 1")), QStringLiteral("100"));
        key(Qt::Key_Down);
        QCOMPARE(f.scalar(QStringLiteral("select RV from AINDX where CNT = 1")), QStringLiteral("555"));
        QCOMPARE(f.dm->qe2->currentRow(), 1);
        QCOMPARE(f.dm->qe2->state(), Dataset::State::Browse);
        QVERIFY(!w.adg->cellEditor());
        QVERIFY(w.adg->hasFocus());

        // A click on another row writes too.
        type(QStringLiteral("66"));
        const QRect target = w.adg->visualRect(w.adg->model()->index(2, 0));
        QTest::mouseClick(w.adg->viewport(), Qt::LeftButton, {}, target.center());
        QCOMPARE(f.scalar(QStringLiteral("select RV from AINDX where CNT = 2")), QStringLiteral("66"));
        QCOMPARE(f.dm->qe2->currentRow(), 2);
        QCOMPARE(w.adg->currentIndex(), w.adg->model()->index(2, 0));
        QVERIFY(f.boxes.errors.isEmpty());
    }

    void theWindowsKeyHandlerOfAdgRunsFirst()
    {
        Grids f;
        TVostrelF &w = *f.window;
        enter(w, w.adg, RV);
        type(QStringLiteral("7"));
        // Enter in the cell editor reaches adg's own handler, which goes to
        // the year field; the typed text stays pending in the row.
        key(Qt::Key_Return);
        QVERIFY(w.a106dyE->hasFocus());
        QVERIFY(!w.adg->cellEditor());
        QCOMPARE(f.dm->qe2->state(), Dataset::State::Edit);
        QCOMPARE(cell(w.adg, 0, RV), QStringLiteral("7"));
        QCOMPARE(f.scalar(QStringLiteral("select RV from AINDX where CNT = 1")), QStringLiteral("100"));
    }

    void anEditIsWrittenWhenTheSystemMovesTheQuery()
    {
        Grids f;
        TVostrelF &w = *f.window;
        enter(w, w.bdg, OV);
        type(QStringLiteral("42"));
        QVERIFY(w.bdg->cellEditor()); // still in the editor
        f.dm->qf2->next();
        QCOMPARE(f.scalar(QStringLiteral("select OV from AFX where CNT = 1")), QStringLiteral("42"));
        QVERIFY(!w.bdg->cellEditor());
        QCOMPARE(w.bdg->currentIndex().row(), 1);

        // Changing a cell and going to another page leaves the change pending
        // until the query next moves.
        type(QStringLiteral("43"));
        w.pc->setCurrentWidget(w.ats);
        w.a102knE->setFocus();
        QVERIFY(!w.bdg->cellEditor());
        QCOMPARE(f.dm->qf2->state(), Dataset::State::Edit);
        QCOMPARE(marker(w.bdg, 1), QStringLiteral("I"));
        QCOMPARE(f.scalar(QStringLiteral("select OV from AFX where CNT = 2")), QStringLiteral("14150"));
        f.dm->qf2->first();
        QCOMPARE(f.scalar(QStringLiteral("select OV from AFX where CNT = 2")), QStringLiteral("43"));
        QCOMPARE(marker(w.bdg, 0), QStringLiteral("▶"));
    }

    // Another program reading the file holds a read lock: leaving the row
    // fails with the database's reason, the row stays edited, no
    // transaction stays open, and leaving it again once the reader is gone
    // writes it.
    void aReaderOfTheFileBlocksTheWriteOnlyWhileItReads()
    {
        // With the price index already there, the start writes nothing, so
        // the window's connection has not yet taken the file for itself.
        Grids f({QStringLiteral("create index AFX_FID_DATE on AFX (FID, DYL, DML, DDL, HHL, HML)")});
        TVostrelF &w = *f.window;
        const QString stored = QStringLiteral("select RV from AINDX where CNT = 1");
        enter(w, w.adg, RV);
        type(QStringLiteral("555"));
        {
            ReadLock reader(f.folder.database());
            key(Qt::Key_Down);
            QCOMPARE(f.boxes.errors.size(), 1);
            QVERIFY2(f.boxes.errors.first().contains(QLatin1String("locked")), qPrintable(f.boxes.errors.first()));
            QVERIFY(!f.dm->csq.inTransaction());
            QCOMPARE(f.dm->qe2->currentRow(), 0);
        }
        QCOMPARE(f.scalar(stored), QStringLiteral("100"));
        f.boxes.clear();
        key(Qt::Key_Down);
        QVERIFY2(f.boxes.errors.isEmpty(), qPrintable(f.boxes.errors.join(u'\n')));
        QVERIFY(!f.dm->csq.inTransaction());
        QCOMPARE(f.scalar(stored), QStringLiteral("555"));
        QCOMPARE(f.dm->qe2->currentRow(), 1);
    }

    void escRestoresAndReopeningDrops()
    {
        Grids f;
        TVostrelF &w = *f.window;
        enter(w, w.bdg, OV);
        type(QStringLiteral("77"));
        key(Qt::Key_Escape);
        QVERIFY(!w.bdg->cellEditor());
        QCOMPARE(cell(w.bdg, 0, OV), QStringLiteral("14100"));
        QCOMPARE(f.dm->qf2->state(), Dataset::State::Browse);

        // Esc after the cell was left: the whole row comes back.
        type(QStringLiteral("77"));
        key(Qt::Key_Tab);
        type(QStringLiteral("78"));
        key(Qt::Key_Return);
        QCOMPARE(cell(w.bdg, 0, OV + 1), QStringLiteral("78"));
        key(Qt::Key_Escape);
        QCOMPARE(cell(w.bdg, 0, OV), QStringLiteral("14100"));
        QCOMPARE(cell(w.bdg, 0, OV + 1), QStringLiteral("14200"));
        key(Qt::Key_Down);
        QCOMPARE(f.scalar(QStringLiteral("select OV || '/' || HV from AFX where CNT = 1")),
                 QStringLiteral("14100/14200"));

        // A change still pending when the query is reopened is dropped.
        type(QStringLiteral("88"));
        key(Qt::Key_Return);
        openBuilt(w, *f.dm->qf2, "AFX", QStringLiteral(" where FID = 1 order by CNT "));
        QCOMPARE(f.dm->qf2->state(), Dataset::State::Browse);
        f.dm->qf2->last();
        QCOMPARE(f.scalar(QStringLiteral("select count(*) from AFX where HV = 88 or OV = 88")), QStringLiteral("0"));
        QCOMPARE(cell(w.bdg, 1, OV + 1), QStringLiteral("14300"));
    }

    void aRowChangedBehindTheGridIsRefused()
    {
        Grids f;
        TVostrelF &w = *f.window;
        f.dm->csq.execute(QStringLiteral("update AINDX set EV = 1 where CNT = 1"));
        enter(w, w.adg, RV);
        type(QStringLiteral("9"));
        key(Qt::Key_Down);
        QCOMPARE(f.boxes.errors.size(), 1);
        QVERIFY2(f.boxes.errors.first().contains(QStringLiteral("1 件のレコードだけに作用しませんでした")),
                 qPrintable(f.boxes.errors.first()));
        QCOMPARE(f.scalar(QStringLiteral("select RV || '/' || EV from AINDX where CNT = 1")), QStringLiteral("100/1"));
        QCOMPARE(f.dm->qe2->currentRow(), 0);
        QCOMPARE(f.dm->qe2->state(), Dataset::State::Edit);
        QCOMPARE(cell(w.adg, 0, RV), QStringLiteral("9"));
        QCOMPARE(marker(w.adg, 0), QStringLiteral("I"));
        QCOMPARE(w.adg->currentIndex().row(), 0);
    }

    void ofTwoIdenticalRowsOnlyTheOneShownChanges()
    {
        Grids f;
        TVostrelF &w = *f.window;
        enter(w, w.d1G, FXNM);
        key(Qt::Key_Down);
        type(QStringLiteral("GBPJPY"));
        key(Qt::Key_Up);
        QCOMPARE(f.scalar(QStringLiteral("select group_concat(FXNM, ',') from (select FXNM from AAFXL order by rowid)")),
                 QStringLiteral("USDJPY,GBPJPY,EURJPY"));
        QVERIFY(f.boxes.errors.isEmpty());
    }

    void deletingWithCtrlDel()
    {
        Grids f;
        TVostrelF &w = *f.window;
        const QString left = QStringLiteral("select group_concat(CNT, ',') from AINDX");
        enter(w, w.adg, 0);
        key(Qt::Key_Down);
        f.boxes.answerNext(false);
        key(Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(f.boxes.confirmations, QStringList{QStringLiteral("レコードを削除しますか？")});
        QCOMPARE(f.scalar(left), QStringLiteral("1,2,3"));
        QCOMPARE(w.adg->model()->rowCount(), 3);

        f.boxes.answerNext(true);
        key(Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(f.scalar(left), QStringLiteral("1,3"));
        QCOMPARE(w.adg->model()->rowCount(), 2);
        QCOMPARE(f.dm->qe2->text(QStringLiteral("CNT")), QStringLiteral("3")); // the row that followed
        QCOMPARE(w.adg->currentIndex().row(), 1);
        key(Qt::Key_Delete, Qt::ControlModifier); // the last row: the new last is shown
        QCOMPARE(f.scalar(left), QStringLiteral("1"));
        QCOMPARE(f.dm->qe2->currentRow(), 0);
        QCOMPARE(cell(w.adg, 0, 9), QStringLiteral("1"));
        QCOMPARE(marker(w.adg, 0), QStringLiteral("▶"));
        QVERIFY(f.boxes.errors.isEmpty());

        // While a cell is being edited the edit is dropped and the row goes.
        type(QStringLiteral("2030"));
        QVERIFY(qobject_cast<QLineEdit *>(focused()));
        f.boxes.answerNext(true);
        key(Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(f.scalar(QStringLiteral("select count(*) from AINDX")), QStringLiteral("0"));
        QVERIFY(!qobject_cast<QLineEdit *>(focused()));
        QVERIFY(f.boxes.errors.isEmpty());

        // On an empty list nothing is asked and nothing happens.
        openBuilt(w, *f.dm->qe2, "AINDX", QStringLiteral(" where IID = 99 "));
        f.boxes.clear();
        enter(w, w.adg, 0);
        key(Qt::Key_Delete, Qt::ControlModifier);
        QVERIFY(f.boxes.confirmations.isEmpty());
        QCOMPARE(f.scalar(QStringLiteral("select count(*) from AINDX")), QStringLiteral("0"));
    }

    void aNewRowLeftUntouchedAddsNothing()
    {
        Grids f;
        TVostrelF &w = *f.window;
        const QString count = QStringLiteral("select count(*) from AINDX");
        f.dm->qe2->last();
        enter(w, w.adg, RV);
        key(Qt::Key_Down);
        QCOMPARE(w.adg->model()->rowCount(), 4);
        QCOMPARE(f.dm->qe2->state(), Dataset::State::Insert);
        QCOMPARE(marker(w.adg, 3), QStringLiteral("*"));
        key(Qt::Key_Down); // nothing below a new row not typed into
        QCOMPARE(w.adg->model()->rowCount(), 4);
        key(Qt::Key_Up);
        QCOMPARE(w.adg->model()->rowCount(), 3);
        QCOMPARE(f.dm->qe2->currentRow(), 2);
        QCOMPARE(f.dm->qe2->state(), Dataset::State::Browse);

        // Insert opens one before the current row; leaving the grid drops it.
        key(Qt::Key_Insert);
        QCOMPARE(f.dm->qe2->currentRow(), 2);
        QCOMPARE(cell(w.adg, 3, 9), QStringLiteral("3"));
        w.a106dyE->setFocus();
        QCOMPARE(w.adg->model()->rowCount(), 3);
        QCOMPARE(cell(w.adg, 2, 9), QStringLiteral("3"));

        // Esc drops it too.
        enter(w, w.bdg, OV);
        f.dm->qf2->last();
        key(Qt::Key_Down);
        QCOMPARE(w.bdg->model()->rowCount(), 4);
        key(Qt::Key_Escape);
        QCOMPARE(w.bdg->model()->rowCount(), 3);
        QCOMPARE(f.dm->qf2->currentRow(), 2);
        QCOMPARE(f.scalar(count), QStringLiteral("3"));
        QCOMPARE(f.scalar(QStringLiteral("select count(*) from AFX")), QStringLiteral("3"));
    }

    void aTypedNewRowHoldsOnlyItsTypedColumns()
    {
        Grids f;
        TVostrelF &w = *f.window;
        f.dm->qe2->last();
        enter(w, w.adg, RV);
        key(Qt::Key_Down);
        type(QStringLiteral("77"));
        key(Qt::Key_Down); // writes it and opens the next new row
        QCOMPARE(f.scalar(QStringLiteral("select count(*) from AINDX")), QStringLiteral("4"));
        QCOMPARE(f.scalar(QStringLiteral(
                     "select count(*) from AINDX where RV = 77 and coalesce(CNT, IID, IXNM, DY, DM, DD, HH, HM, "
                     "EV, CV, TYO) is null")),
                 QStringLiteral("1"));
        QCOMPARE(f.dm->qe2->state(), Dataset::State::Insert);
        key(Qt::Key_Up);
        QCOMPARE(w.adg->model()->rowCount(), 4);
        QCOMPARE(cell(w.adg, 3, RV), QStringLiteral("77"));

        // The new row can be corrected at once.
        type(QStringLiteral("78"));
        key(Qt::Key_Up);
        QCOMPARE(f.scalar(QStringLiteral("select RV from AINDX where CNT is null")), QStringLiteral("78"));
        QVERIFY(f.boxes.errors.isEmpty());
    }

    void wholeNumberColumnsTakeOnlyWholeNumbers()
    {
        Grids f;
        TVostrelF &w = *f.window;
        const QString stored = QStringLiteral("select RV from AINDX where CNT = 1");
        enter(w, w.adg, RV);
        type(QStringLiteral("1a2."));
        QCOMPARE(w.adg->cellEditor()->text(), QStringLiteral("12"));

        const std::vector<std::pair<QString, std::function<void()>>> leavings = {
            {QStringLiteral("↓"), [] { key(Qt::Key_Down); }},
            {QStringLiteral("click"),
             [&] {
                 QTest::mouseClick(w.adg->viewport(), Qt::LeftButton, {},
                                   w.adg->visualRect(w.adg->model()->index(2, 0)).center());
             }},
            {QStringLiteral("focus"),
             [&] {
                 w.a106dyE->setFocus();
                 QCoreApplication::processEvents(); // the error comes once the focus has moved
             }},
            {QStringLiteral("click on the year field"),
             [&] {
                 QTest::mouseClick(w.a106dyE, Qt::LeftButton);
                 QCoreApplication::processEvents();
             }},
        };
        // The focus stays in the grid before the year field is entered: it
        // is neither filled with its default nor shows its guidance.
        w.a106dyE->clear();
        for (const QString &text : {QStringLiteral("-"), QStringLiteral("99999999999")}) {
            for (const auto &[name, leave] : leavings) {
                QLineEdit *editor = w.adg->cellEditor();
                QVERIFY2(editor, qPrintable(name));
                editor->setText(text);
                f.boxes.clear();
                leave();
                QCOMPARE(f.boxes.errors,
                         QStringList{QStringLiteral("'%1' はフィールド 'RV' の値として有効な整数値ではありません").arg(text)});
                QCOMPARE(w.adg->cellEditor(), editor); // the editor stays on the cell
                QVERIFY2(editor->hasFocus(), qPrintable(name));
                QVERIFY2(w.a106dyE->text().isEmpty(), qPrintable(name));
                QVERIFY2(w.a00gdL->text() != QStringLiteral("年の入力"), qPrintable(name));
                QCOMPARE(f.dm->qe2->currentRow(), 0);
                QCOMPARE(f.scalar(stored), QStringLiteral("100"));
            }
        }
        w.adg->cellEditor()->setText(QStringLiteral("-12"));
        key(Qt::Key_Down);
        QCOMPARE(f.scalar(stored), QStringLiteral("-12"));
    }

    void aBigListShowsItsFirstRowsAndReadsOnWhenScrolled()
    {
        Grids f;
        TVostrelF &w = *f.window;
        f.dm->csq.execute(QStringLiteral(
            "with recursive n(i) as (select 10 union all select i + 1 from n where i < 3000) "
            "insert into AFX (CNT, FID, OV) select i, 2, i from n"));
        openBuilt(w, *f.dm->qf2, "AFX", QStringLiteral(" where FID = 2 order by CNT "));
        enter(w, w.bdg, OV);
        const int first = w.bdg->model()->rowCount();
        QVERIFY(first > 0 && first < 1000);
        QVERIFY(f.dm->qf2->canFetchMore());
        QScrollBar *bar = w.bdg->verticalScrollBar();
        for (int i = 0; i < 5; ++i) {
            bar->setValue(bar->maximum());
            QCoreApplication::processEvents();
        }
        QVERIFY(w.bdg->model()->rowCount() > first);
        QCOMPARE(f.dm->qf2->currentRow(), 0); // scrolling does not move the query
        key(Qt::Key_PageDown);
        QVERIFY(f.dm->qf2->currentRow() > 1);
        QCOMPARE(w.bdg->currentIndex().row(), f.dm->qf2->currentRow());
        key(Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(w.bdg->model()->rowCount(), 2991);
        QCOMPARE(cell(w.bdg, w.bdg->currentIndex().row(), 10), QStringLiteral("3000"));
    }
};

KEIZAI_TEST_MAIN(TestGrids)
#include "tst_grids.moc"
