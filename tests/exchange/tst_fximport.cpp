#include "TestMain.h"
#include "WindowFixture.h"
#include "exchange/AnsiCodePage.h"
#include <QDir>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

namespace {

// Two instruments; the table holds an older import.
const QStringList kSeed = {
    QStringLiteral("insert into AAFXL (CNT, FID, FXNM, RYAK, CSVNM) values "
                   "(1, 10, '米ドル/円', 'ドル円', 'USDJPY'), (2, 20, 'ユーロ/円', 'ユーロ円', 'EURJPY')"),
    QStringLiteral("insert into AFX (CNT, FID, FXNM, DYL, DML, DDL, HHL, HML, OV, HV, LV, CV, TYO) values "
                   "(1, 10, '米ドル/円', '2020', '01', '02', '09', '00', 1, 2, 3, 4, 'old'), "
                   "(2, 20, 'ユーロ/円', '2020', '01', '02', '09', '00', 5, 6, 7, 8.5, NULL)"),
};

// Every stored value with its type, row by row in storage order.
const char *kDump = "select group_concat(r, ' | ') from (select rowid || ':' || "
                    "quote(CNT) || quote(FID) || quote(FXNM) || quote(DYL) || quote(DML) || quote(DDL) || "
                    "quote(HHL) || quote(HML) || quote(OV) || quote(HV) || quote(LV) || quote(CV) || "
                    "quote(DYR) || quote(DMR) || quote(DDR) || quote(HHR) || quote(HMR) || quote(TYO) as r "
                    "from AFX order by rowid)";

// One row as "CNT FID FXNM DYL DML DDL HHL HML OV HV LV CV DYR DMR DDR HHR HMR TYO", "-" for NULL.
QString row(WindowFixture &f, int cnt)
{
    return f.scalar(QStringLiteral("select ifnull(CNT,'-') ||' '|| ifnull(FID,'-') ||' '|| ifnull(FXNM,'-') ||' '|| "
                                   "ifnull(DYL,'-') ||' '|| ifnull(DML,'-') ||' '|| ifnull(DDL,'-') ||' '|| "
                                   "ifnull(HHL,'-') ||' '|| ifnull(HML,'-') ||' '|| ifnull(OV,'-') ||' '|| "
                                   "ifnull(HV,'-') ||' '|| ifnull(LV,'-') ||' '|| ifnull(CV,'-') ||' '|| "
                                   "ifnull(DYR,'-') ||' '|| ifnull(DMR,'-') ||' '|| ifnull(DDR,'-') ||' '|| "
                                   "ifnull(HHR,'-') ||' '|| ifnull(HMR,'-') ||' '|| ifnull(TYO,'-') "
                                   "from AFX where CNT = %1").arg(cnt));
}

void writeFile(const WindowFixture &f, const QString &name, const QByteArray &bytes)
{
    const QString dir = f.folder.file(QStringLiteral("FXﾃﾞｰﾀ/CSV"));
    QVERIFY(QDir().mkpath(dir));
    QFile file(dir + QLatin1Char('/') + name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray cp932(const QString &text) { return AnsiCodePage::encode(text).value(); }

// A real click on the price page's read button: an error ends in the
// general error box.
void clickRead(WindowFixture &f)
{
    f.window->pc->setCurrentWidget(f.window->bts);
    QTest::mouseClick(f.window->b105cvrB, Qt::LeftButton);
}

const QString kDone = QStringLiteral(" CSVﾌｧｲﾙからの読込終了 ");

} // namespace

// The FX price import on the real window over real files.
class TestFxImport : public QObject {
    Q_OBJECT
private slots:
    // Both files replace every price; numbers run over both files and skip
    // blank lines; the list comes back to the instrument selected before.
    void importReplacesEveryPrice()
    {
        WindowFixture f(kSeed);
        f.start();
        TVostrelF &w = *f.window;
        // The first file in UTF-8 with its mark and CR-only lines, a blank
        // line and a line of blanks; the second in code page 932 with a
        // blank between date and time and more than eight fields.
        writeFile(f, QStringLiteral("USDJPY.CSV"),
                  "\xEF\xBB\xBF" "2023/01/05,9:30,130.123,130.456,129.987,130.200,2023-01-05,09:30\r"
                  "\r \t \r"
                  "2023/1/6,,1,2,3,4,2023-01-06,00:00\r");
        writeFile(f, QStringLiteral("EURJPY.CSV"),
                  cp932(QStringLiteral("2023/12/25 12:05 , 140.5,141,139.9,140.1,2023-12-25,12:05,余分,ｶﾅ\r\n")));
        QTest::keyClick(w.b103fnE, Qt::Key_Up);
        QCOMPARE(w.b103fnE->text(), QStringLiteral("EURJPY"));
        w.b103fnE->setText(QStringLiteral("typed"));

        clickRead(f);
        QCOMPARE(f.boxes.errors, QStringList());
        QCOMPARE(f.boxes.confirmations, QStringList{QStringLiteral("ﾃｰﾌﾞﾙﾃﾞｰﾀは書き換えられますが実行しますか?")});
        QCOMPARE(f.boxes.messages, QStringList{kDone});
        QCOMPARE(f.scalar(QStringLiteral("select group_concat(CNT) from AFX")), QStringLiteral("1,2,3"));
        QCOMPARE(row(f, 1), QStringLiteral("1 10 米ドル/円 2023 01 05 09 30 130123 130456 129987 130200 2023 01 05 09 30 -"));
        QCOMPARE(row(f, 2), QStringLiteral("2 10 米ドル/円 2023 01 6 00 00 1 2 3 4 2023 01 06 00 00 -"));
        QCOMPARE(row(f, 3), QStringLiteral("3 20 ユーロ/円 2023 12 25 12 05 1405 141 1399 1401 2023 12 25 12 05 -"));
        QCOMPARE(f.scalar(QStringLiteral("select typeof(OV) || typeof(DDL) from AFX where CNT = 1")),
                 QStringLiteral("integertext"));

        QCOMPARE(f.dm->qf1->text(QStringLiteral("CNT")), QStringLiteral("2"));
        QVERIFY(f.dm->qf2->isOpen());
        QCOMPARE(f.dm->qf2->text(QStringLiteral("CNT")), QStringLiteral("3"));
        QCOMPARE(w.b103fnE->text(), QStringLiteral("typed"));
    }

    // Only the fields a line has are taken: the rest stay NULL, never the
    // values of the line before.
    void shortLineTakesNothingFromTheLineBefore()
    {
        WindowFixture f(kSeed);
        f.start();
        writeFile(f, QStringLiteral("USDJPY.CSV"),
                  "2023/01/05,9:30,130.1,130.4,129.9,130.2,2023-01-05,09:30\n"
                  "2023-01-06,930,1\n");
        writeFile(f, QStringLiteral("EURJPY.CSV"), "");
        clickRead(f);
        QCOMPARE(f.boxes.messages, QStringList{kDone});
        QCOMPARE(row(f, 2), QStringLiteral("2 10 米ドル/円 2023 - - - 93 1 - - - - - - - - -"));
    }

    // A price that is no number is a refused line: counted, its number used
    // up, never evaluated.
    void refusedLinesAreCountedInTheClosingBox()
    {
        WindowFixture f(kSeed);
        f.start();
        writeFile(f, QStringLiteral("USDJPY.CSV"), "2023/01/05,9:30,1,2,3,4\n");
        writeFile(f, QStringLiteral("EURJPY.CSV"),
                  "2023/01/05,9:30,1,2,3,4\n\n"
                  "2023/01/05,9:45,1+1,2,3,4\n"
                  "2023/01/05,10:00,1,2,3,(select 5)\n"
                  "2023/01/05,10:15,1,2,3,4\n");
        clickRead(f);
        const QString path = QDir::currentPath() + QStringLiteral("/FXﾃﾞｰﾀ/CSV/EURJPY.CSV");
        QCOMPARE(f.boxes.messages,
                 QStringList{kDone + QStringLiteral(" 登録できなかった行: 2 行\n最初の行: %1 の 3 行目").arg(path)});
        QCOMPARE(f.scalar(QStringLiteral("select group_concat(CNT || '/' || OV || '/' || CV) from AFX")),
                 QStringLiteral("1/1/4,2/1/4,5/1/4"));
    }

    void noLeavesEverythingAsItWas()
    {
        WindowFixture f(kSeed);
        f.start();
        const QString before = f.scalar(QString::fromLatin1(kDump));
        f.boxes.answerNext(false);
        clickRead(f);
        QCOMPARE(f.scalar(QString::fromLatin1(kDump)), before);
        QCOMPARE(f.boxes.messages, QStringList());
        QVERIFY(f.dm->qf2->isOpen());
        QCOMPARE(f.dm->qf2->rowCount(), 1);
    }

    // A missing file stops the reading with the full path and the reason;
    // the table keeps every byte it held.
    void missingSecondFileLeavesTheTable()
    {
        WindowFixture f(kSeed);
        f.start();
        const QString before = f.scalar(QString::fromLatin1(kDump));
        writeFile(f, QStringLiteral("USDJPY.CSV"), "2023/01/05,9:30,1,2,3,4\n");
        clickRead(f);
        QCOMPARE(f.boxes.errors.size(), 1);
        const QString path = QDir::currentPath() + QStringLiteral("/FXﾃﾞｰﾀ/CSV/EURJPY.CSV");
        QVERIFY2(f.boxes.errors.first().contains(path), qPrintable(f.boxes.errors.first()));
        QVERIFY2(f.boxes.errors.first().contains(QLatin1String("No such file")), qPrintable(f.boxes.errors.first()));
        QCOMPARE(f.boxes.messages, QStringList());
        QCOMPARE(f.scalar(QString::fromLatin1(kDump)), before);
        QVERIFY(!f.dm->csq.inTransaction());
    }

    void cancelLeavesTheTable()
    {
        WindowFixture f(kSeed);
        f.start();
        const QString before = f.scalar(QString::fromLatin1(kDump));
        writeFile(f, QStringLiteral("USDJPY.CSV"), "2023/01/05,9:30,1,2,3,4\n2023/01/05,9:45,1,2,3,4\n");
        writeFile(f, QStringLiteral("EURJPY.CSV"), "2023/01/05,9:30,1,2,3,4\n");
        QTimer::singleShot(0, f.window.get(), [&f] {
            if (auto *dialog = f.window->findChild<QProgressDialog *>())
                dialog->cancel();
        });
        clickRead(f);
        QCOMPARE(f.boxes.errors, QStringList());
        QCOMPARE(f.boxes.messages,
                 QStringList{QStringLiteral("CSVﾌｧｲﾙからの読込を中止しました。ﾃｰﾌﾞﾙﾃﾞｰﾀは元のままです")});
        QCOMPARE(f.scalar(QString::fromLatin1(kDump)), before);
        QVERIFY(f.dm->qf2->isOpen());
        QVERIFY(!f.dm->csq.inTransaction());
    }
};

KEIZAI_TEST_MAIN(TestFxImport)
#include "tst_fximport.moc"
