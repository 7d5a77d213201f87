#include "ReadLock.h"
#include "TestMain.h"
#include "WindowFixture.h"
#include "app/Panel.h"
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <sqlite3.h>

namespace {

// Three indicators; the first has two releases (the later one with a
// remark), the second none; the largest row number belongs to the third.
const QStringList kSeed = {
    QStringLiteral("insert into AAEIL (CNT, IID, IXNM, URL, RYAK) values "
                   "(1, 3, '米国雇用統計', 'https://example.org/a', '雇用統計'), "
                   "(2, 5, '日銀短観', '', '短観'), "
                   "(3, 7, 'ISM製造業', '', 'ISM')"),
    QStringLiteral("insert into AINDX (CNT, IID, IXNM, DY, DM, DD, HH, HM, RV, EV, CV, TYO) values "
                   "(10, 3, '米国雇用統計', '2024', '04', '05', '21', '30', 303, 214, 270, NULL), "
                   "(11, 3, '米国雇用統計', '2024', '05', '03', '21', '30', 175, 240, 165, 'memo'), "
                   "(57, 7, 'ISM製造業', '2024', '05', '01', '23', '00', 492, 500, NULL, NULL)"),
};

// Every column of a release in one text; NULL reads "-", the date and time
// parts stand together.
const char *kAllColumns = "CNT || '|' || IID || '|' || IXNM || '|' || "
                          "ifnull(DY || DM || DD || HH || HM, '-') || '|' || "
                          "ifnull(RV, '-') || '|' || ifnull(EV, '-') || '|' || ifnull(CV, '-') || '|' || ifnull(TYO, '-')";

QString row(WindowFixture &f, int cnt)
{
    return f.scalar(QStringLiteral("select %1 from AINDX where CNT = %2").arg(QLatin1String(kAllColumns)).arg(cnt));
}

void type(TVostrelF &w, const QStringList &texts)
{
    QLineEdit *fields[] = {w.a106dyE, w.a107dmE, w.a108ddE, w.a109hhE, w.a110hmE, w.a111rvE, w.a112evE, w.a113cvE};
    for (int k = 0; k < texts.size(); ++k)
        fields[k]->setText(texts[k]);
}

// The whole of AINDX, every value with its storage type.
QString valueTable(WindowFixture &f)
{
    return f.scalar(QStringLiteral(
        "select group_concat(quote(CNT) || quote(IID) || quote(IXNM) || quote(DY) || quote(DM) || quote(DD) || "
        "quote(HH) || quote(HM) || quote(RV) || quote(EV) || quote(CV) || quote(TYO), '|') from "
        "(select * from AINDX order by rowid)"));
}

QStringList panelTexts(TVostrelF &w)
{
    QStringList texts{w.a105modL->text(), w.a117cnL->text()};
    for (QLineEdit *field : {w.a106dyE, w.a107dmE, w.a108ddE, w.a109hhE, w.a110hmE, w.a111rvE, w.a112evE, w.a113cvE})
        texts << field->text();
    return texts;
}

// Once a row is inserted into the table, the connection refuses to read it.
class ReadsRefusedAfterAnInsert {
public:
    ReadsRefusedAfterAnInsert(sqlite3 *db, const char *table) : db_(db), table_(table)
    {
        sqlite3_update_hook(db_, &ReadsRefusedAfterAnInsert::changed, this);
        sqlite3_set_authorizer(db_, &ReadsRefusedAfterAnInsert::authorize, this);
    }
    ~ReadsRefusedAfterAnInsert() { lift(); }
    void lift()
    {
        sqlite3_update_hook(db_, nullptr, nullptr);
        sqlite3_set_authorizer(db_, nullptr, nullptr);
    }

private:
    static void changed(void *self, int op, const char *, const char *table, sqlite3_int64)
    {
        auto *me = static_cast<ReadsRefusedAfterAnInsert *>(self);
        if (op == SQLITE_INSERT && qstrcmp(table, me->table_) == 0)
            me->inserted_ = true;
    }
    static int authorize(void *self, int action, const char *table, const char *, const char *, const char *)
    {
        auto *me = static_cast<ReadsRefusedAfterAnInsert *>(self);
        return me->inserted_ && action == SQLITE_READ && qstrcmp(table, me->table_) == 0 ? SQLITE_DENY : SQLITE_OK;
    }

    sqlite3 *db_;
    const char *table_;
    bool inserted_ = false;
};

} // namespace

// The indicator list, the releases and the registration on the real window.
class TestIndicators : public QObject {
    Q_OBJECT
private slots:
    void startState()
    {
        WindowFixture f(kSeed);
        f.start();
        TVostrelF &w = *f.window;
        QVERIFY(f.boxes.errors.isEmpty());
        QCOMPARE(w.A00P->caption(), QString());
        QCOMPARE(panelTexts(w), (QStringList{QStringLiteral("新規"), QString(), QString(), QString(), QString(),
                                             QString(), QString(), QString(), QString(), QString()}));
        QCOMPARE(w.a102knE->text(), QStringLiteral("雇用統計"));
        QCOMPARE(w.a118iidL->text(), QStringLiteral("3"));
        QCOMPARE(f.dm->qe2->rowCount(), 2);
        QCOMPARE(f.dm->qe2->text(QStringLiteral("CNT")), QStringLiteral("11")); // the latest release
        QCOMPARE(f.dm->qe2->sql(), QStringLiteral(" select CNT, IID, IXNM, DY, DM, DD, HH, HM, RV, EV, CV, TYO from AINDX "
                                                  "where IID = 3 order by DY, DM, DD, HH, HM "));
        QVERIFY(f.dm->qe1->displayWidth(2) > 0);
        QVERIFY(QDir(f.folder.file(QStringLiteral("経済指標/CSV/00経済指標"))).exists());
        QVERIFY(w.a102knE->hasFocus());

        // Another activation changes nothing.
        w.a102knE->setText(QStringLiteral("typed"));
        w.FormActivate(&w);
        QCOMPARE(w.a102knE->text(), QStringLiteral("typed"));
    }

    void newRegistration()
    {
        WindowFixture f(kSeed);
        f.start();
        TVostrelF &w = *f.window;
        w.uda(2);
        type(w, {QStringLiteral("2024"), QStringLiteral("06"), QStringLiteral("07"), QStringLiteral("21"),
                 QStringLiteral("30"), QStringLiteral("272"), QStringLiteral("180"), QStringLiteral("")});
        w.a114rgB->setFocus();
        QTest::keyClick(w.a114rgB, Qt::Key_Return); // Enter on the button registers once

        QVERIFY(f.boxes.errors.isEmpty());
        QCOMPARE(f.scalar(QStringLiteral("select count(*) from AINDX")), QStringLiteral("4"));
        QCOMPARE(row(f, 58), QStringLiteral("58|3|米国雇用統計|202406072130|272|180|-|-"));
        // Back in new mode, standing on the latest release, focus in the name field.
        QCOMPARE(panelTexts(w), (QStringList{QStringLiteral("新規"), QStringLiteral("58"), QStringLiteral("2024"),
                                             QStringLiteral("06"), QStringLiteral("07"), QStringLiteral("21"),
                                             QStringLiteral("30"), QString(), QString(), QString()}));
        QCOMPARE(f.dm->qe2->text(QStringLiteral("CNT")), QStringLiteral("58"));
        QVERIFY(w.a102knE->hasFocus());
    }

    void correctionRewritesEveryColumn()
    {
        WindowFixture f(kSeed);
        f.start();
        TVostrelF &w = *f.window;
        w.uda(3); // the latest release, which holds a remark
        QCOMPARE(panelTexts(w), (QStringList{QStringLiteral("修正"), QStringLiteral("11"), QStringLiteral("2024"),
                                             QStringLiteral("05"), QStringLiteral("03"), QStringLiteral("21"),
                                             QStringLiteral("30"), QStringLiteral("175"), QStringLiteral("240"),
                                             QStringLiteral("165")}));
        QVERIFY(w.a106dyE->hasFocus());
        w.a111rvE->setText(QStringLiteral("176"));
        w.a114rgBClick(w.a114rgB);
        QCOMPARE(row(f, 11), QStringLiteral("11|3|米国雇用統計|202405032130|176|240|165|-"));
        QCOMPARE(w.a105modL->text(), QStringLiteral("新規"));
        QCOMPARE(w.a117cnL->text(), QStringLiteral("11"));
        QCOMPARE(f.scalar(QStringLiteral("select count(*) from AINDX")), QStringLiteral("3"));
    }

    void correctionAfterChoosingAnotherIndicator()
    {
        WindowFixture f(kSeed);
        f.start();
        TVostrelF &w = *f.window;
        w.uda(3);
        // Choose the third indicator as the name field's Down does.
        f.dm->qe1->moveTo(2);
        w.a102knE->setText(f.dm->qe1->text(QStringLiteral("RYAK")));
        w.a118iidL->setText(f.dm->qe1->text(QStringLiteral("IID")));
        w.uqe2(1);
        QCOMPARE(w.a105modL->text(), QStringLiteral("修正"));
        w.a114rgBClick(w.a114rgB);
        QCOMPARE(row(f, 11), QStringLiteral("11|7|ISM製造業|202405032130|175|240|165|-"));
        QCOMPARE(f.dm->qe2->rowCount(), 2); // the release now belongs to the third
    }

    void nameFollowsTheShownIdNotTheListCursor()
    {
        WindowFixture f(kSeed);
        f.start();
        TVostrelF &w = *f.window;
        f.dm->qe1->moveTo(1); // the list grid moved the list; the label still says 3
        w.uda(2);
        w.a114rgBClick(w.a114rgB);
        QCOMPARE(row(f, 58), QStringLiteral("58|3|米国雇用統計|202405032130|-|-|-|-"));
    }

    void registeringTwiceWithoutTyping()
    {
        WindowFixture f(kSeed);
        f.start();
        TVostrelF &w = *f.window;
        w.a114rgBClick(w.a114rgB); // right after start: the fields are empty
        w.a114rgBClick(w.a114rgB); // now they hold the latest release's date and time
        QCOMPARE(row(f, 58), QStringLiteral("58|3|米国雇用統計|-|-|-|-|-"));
        QCOMPARE(row(f, 59), QStringLiteral("59|3|米国雇用統計|202405032130|-|-|-|-"));
    }

    // A dictionary may give AINDX more columns than the panel fills: each
    // registration leaves them empty, never the previous statement's "NULL".
    void columnsThePanelDoesNotFillStayEmpty()
    {
        WindowFixture f(QStringList(kSeed)
                        << QStringLiteral("alter table AINDX add column XTRA nchar(10)")
                        << QStringLiteral("insert into AAATST (CNT, TBID, CNAM, KT, LN) select max(CNT) + 1, TBID, "
                                          "'XTRA', 'nchar', 10 from AAATST where TBID = "
                                          "(select TBID from AAATBN where TNAM = 'AINDX')"));
        f.start();
        TVostrelF &w = *f.window;
        w.a114rgBClick(w.a114rgB);
        w.a114rgBClick(w.a114rgB);
        QVERIFY(f.boxes.errors.isEmpty());
        QCOMPARE(f.scalar(QStringLiteral("select count(*) || '|' || count(XTRA) from AINDX where CNT > 57")),
                 QStringLiteral("2|0"));
    }

    // The release is stored, then reloading the values is refused: the
    // panel is reset as after success and the reload's failure is its own.
    void aStoredReleaseIsReportedAsStored()
    {
        WindowFixture f(kSeed);
        f.start();
        TVostrelF &w = *f.window;
        w.uda(2);
        type(w, {QStringLiteral("2024"), QStringLiteral("06"), QStringLiteral("07"), QStringLiteral("21"),
                 QStringLiteral("30"), QStringLiteral("272"), QStringLiteral("180"), QString()});
        ReadsRefusedAfterAnInsert refusal(f.dm->csq.handle(), "AINDX");
        QTest::mouseClick(w.a114rgB, Qt::LeftButton);

        QCOMPARE(f.boxes.errors.size(), 1);
        QVERIFY2(!f.boxes.errors.first().startsWith(QStringLiteral("登録できませんでした")),
                 qPrintable(f.boxes.errors.first()));
        refusal.lift();
        QCOMPARE(row(f, 58), QStringLiteral("58|3|米国雇用統計|202406072130|272|180|-|-"));
        QCOMPARE(panelTexts(w), (QStringList{QStringLiteral("新規"), QStringLiteral("58"), QStringLiteral("2024"),
                                             QStringLiteral("06"), QStringLiteral("07"), QStringLiteral("21"),
                                             QStringLiteral("30"), QString(), QString(), QString()}));
        QVERIFY(w.a102knE->hasFocus());
    }

    // Another program reading the file holds a read lock: the registration
    // and the correction fail with the database's reason, leave no
    // transaction open, and go through once the reader is gone.
    void aReaderOfTheFileBlocksWritesOnlyWhileItReads_data()
    {
        QTest::addColumn<bool>("correction");
        QTest::newRow("registration") << false;
        QTest::newRow("correction") << true;
    }
    void aReaderOfTheFileBlocksWritesOnlyWhileItReads()
    {
        QFETCH(bool, correction);
        // With the price index already there, the start writes nothing, so
        // the window's connection has not yet taken the file for itself.
        WindowFixture f(QStringList(kSeed) << QStringLiteral(
                            "create index AFX_FID_DATE on AFX (FID, DYL, DML, DDL, HHL, HML)"));
        f.start();
        TVostrelF &w = *f.window;
        w.uda(correction ? 3 : 2);
        type(w, {QStringLiteral("2024"), QStringLiteral("06"), QStringLiteral("07"), QStringLiteral("21"),
                 QStringLiteral("30"), QStringLiteral("272"), QStringLiteral("180"), QString()});
        const QString before = valueTable(f);
        const QStringList typed = panelTexts(w);
        {
            ReadLock reader(f.folder.database());
            QTest::mouseClick(w.a114rgB, Qt::LeftButton);
            QCOMPARE(f.boxes.errors.size(), 1);
            QVERIFY2(f.boxes.errors.first().contains(QLatin1String("locked")), qPrintable(f.boxes.errors.first()));
            QVERIFY(!f.dm->csq.inTransaction());
            QCOMPARE(panelTexts(w), typed);
        }
        QCOMPARE(valueTable(f), before);
        f.boxes.clear();
        QTest::mouseClick(w.a114rgB, Qt::LeftButton);
        QVERIFY2(f.boxes.errors.isEmpty(), qPrintable(f.boxes.errors.join(u'\n')));
        QVERIFY(!f.dm->csq.inTransaction());
        const int cnt = correction ? 11 : 58;
        QCOMPARE(row(f, cnt), QStringLiteral("%1|3|米国雇用統計|202406072130|272|180|-|-").arg(cnt));
    }

    void refusedRegistrationKeepsThePanel()
    {
        WindowFixture f(kSeed);
        f.start();
        TVostrelF &w = *f.window;
        w.uda(2);
        type(w, {QStringLiteral("2024"), QStringLiteral("06"), QStringLiteral("07"), QStringLiteral("21"),
                 QStringLiteral("30"), QStringLiteral("abc"), QStringLiteral("1"), QStringLiteral("2")});
        const QStringList typed = panelTexts(w);
        w.a114rgB->setFocus();
        QTest::mouseClick(w.a114rgB, Qt::LeftButton);

        QCOMPARE(f.boxes.errors.size(), 1);
        QVERIFY2(f.boxes.errors.first().contains(QStringLiteral("abc")), qPrintable(f.boxes.errors.first()));
        QCOMPARE(f.scalar(QStringLiteral("select count(*) from AINDX")), QStringLiteral("3"));
        QCOMPARE(panelTexts(w), typed);
        QVERIFY(w.a114rgB->hasFocus());

        // A correction rewrites exactly one row: a number no row carries, or
        // two rows carry, changes nothing and says how many carry it.
        f.dm->csq.execute(QStringLiteral("update AINDX set CNT = 10 where CNT = 57"));
        const QString before = valueTable(f);
        for (const auto &[cnt, rows] : {std::pair{"999", 0}, std::pair{"10", 2}}) {
            w.uda(3);
            w.a117cnL->setText(QLatin1String(cnt));
            f.boxes.clear();
            QTest::mouseClick(w.a114rgB, Qt::LeftButton);
            QCOMPARE(f.boxes.errors.size(), 1);
            QVERIFY2(f.boxes.errors.first().startsWith(QStringLiteral("修正できませんでした"))
                         && f.boxes.errors.first().contains(QStringLiteral("%1 件").arg(rows)),
                     qPrintable(f.boxes.errors.first()));
            QCOMPARE(valueTable(f), before);
            QVERIFY(!f.dm->csq.inTransaction());
        }
    }

    // Statement text typed as a value is refused with its reason and leaves
    // AINDX as it was: "5--" would comment out the correction's WHERE and
    // rewrite every release, a subselect would be computed and stored.
    void statementTextAsAValueIsRefused_data()
    {
        QTest::addColumn<bool>("correction");
        QTest::addColumn<QString>("value");
        QTest::newRow("correction 5--") << true << "5--";
        QTest::newRow("registration (select ...)") << false << "(select max(CNT) from AINDX)";
        QTest::newRow("registration 1+1") << false << "1+1";
        QTest::newRow("correction 9e999") << true << "9e999";
    }
    void statementTextAsAValueIsRefused()
    {
        QFETCH(bool, correction);
        QFETCH(QString, value);
        WindowFixture f(kSeed);
        f.start();
        TVostrelF &w = *f.window;
        const QString before = valueTable(f);
        w.uda(correction ? 3 : 2);
        w.a111rvE->setText(value);
        const QStringList typed = panelTexts(w);
        QTest::mouseClick(w.a114rgB, Qt::LeftButton);
        QCOMPARE(f.boxes.errors.size(), 1);
        QVERIFY2(f.boxes.errors.first().contains(value) && f.boxes.errors.first().contains(QStringLiteral("RV")),
                 qPrintable(f.boxes.errors.first()));
        QCOMPARE(valueTable(f), before);
        QCOMPARE(panelTexts(w), typed);
    }

    // No further row number after 2147483647: a clear message, nothing
    // stored, and the panel's row number as it was.
    void noRowNumberAfterTheLargest()
    {
        WindowFixture f(kSeed);
        f.start();
        TVostrelF &w = *f.window;
        f.dm->csq.execute(QStringLiteral("update AINDX set CNT = 2147483647 where CNT = 57"));
        const QString before = valueTable(f);
        w.a117cnL->setText(QStringLiteral("12"));
        QTest::mouseClick(w.a114rgB, Qt::LeftButton);
        QCOMPARE(f.boxes.errors.size(), 1);
        QVERIFY2(f.boxes.errors.first().startsWith(QStringLiteral("登録できませんでした"))
                     && f.boxes.errors.first().contains(QStringLiteral("採番できません")),
                 qPrintable(f.boxes.errors.first()));
        QCOMPARE(valueTable(f), before);
        QCOMPARE(w.a117cnL->text(), QStringLiteral("12"));
    }

    void indicatorWithoutReleases()
    {
        WindowFixture f(kSeed);
        f.start();
        TVostrelF &w = *f.window;
        w.a118iidL->setText(QStringLiteral("5"));
        w.uqe2(1);
        QVERIFY(f.dm->qe2->isEmpty());
        w.a106dyE->setText(QStringLiteral("x"));
        w.uda(2);
        QCOMPARE(w.a106dyE->text(), QString());
        w.a114rgBClick(w.a114rgB);
        QCOMPARE(f.scalar(QStringLiteral("select IID || IXNM from AINDX where CNT = 58")), QStringLiteral("5日銀短観"));
    }

    void emptyValueTableStartsAtOne()
    {
        WindowFixture f({kSeed.first()});
        f.start();
        f.window->a114rgBClick(f.window->a114rgB);
        QCOMPARE(f.scalar(QStringLiteral("select group_concat(CNT) from AINDX")), QStringLiteral("1"));
    }

    void emptyIndicatorList()
    {
        WindowFixture f;
        f.start();
        QVERIFY(f.boxes.errors.isEmpty());
        QVERIFY(f.dm->qe2->isOpen());
        QVERIFY(f.dm->qe2->isEmpty());
        QVERIFY(f.dm->qe2->sql().contains(QStringLiteral("where IID = NULL order by")));
        QCOMPARE(f.window->a102knE->text(), QString());
    }
};

KEIZAI_TEST_MAIN(TestIndicators)
#include "tst_indicators.moc"
