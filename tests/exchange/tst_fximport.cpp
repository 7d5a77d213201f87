#include "TestMain.h"
#include "WindowFixture.h"
#include "exchange/AnsiCodePage.h"
#include <QDir>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTabWidget>
#include <QStringEncoder>
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

// A row as "CNT FID FXNM DYL DML DDL HHL HML OV HV LV CV DYR DMR DDR HHR HMR TYO", "-" for NULL.
const char *kRowText = "ifnull(CNT,'-') ||' '|| ifnull(FID,'-') ||' '|| ifnull(FXNM,'-') ||' '|| "
                       "ifnull(DYL,'-') ||' '|| ifnull(DML,'-') ||' '|| ifnull(DDL,'-') ||' '|| "
                       "ifnull(HHL,'-') ||' '|| ifnull(HML,'-') ||' '|| ifnull(OV,'-') ||' '|| "
                       "ifnull(HV,'-') ||' '|| ifnull(LV,'-') ||' '|| ifnull(CV,'-') ||' '|| "
                       "ifnull(DYR,'-') ||' '|| ifnull(DMR,'-') ||' '|| ifnull(DDR,'-') ||' '|| "
                       "ifnull(HHR,'-') ||' '|| ifnull(HMR,'-') ||' '|| ifnull(TYO,'-')";

QString row(WindowFixture &f, int cnt)
{
    return f.scalar(QStringLiteral("select %1 from AFX where CNT = %2").arg(QLatin1String(kRowText)).arg(cnt));
}

// Every row, in the order of CNT.
QStringList allRows(WindowFixture &f)
{
    return f.scalar(QStringLiteral("select group_concat(r, '|') from (select %1 as r from AFX order by CNT)")
                        .arg(QLatin1String(kRowText)))
        .split(QLatin1Char('|'));
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

// Fifteen-minute bars across a month's end, most with seconds, and the
// prices as the files write them.
struct Bar {
    QDateTime t;
    QStringList prices;
};

QList<Bar> bars(int count)
{
    QList<Bar> result;
    const QDateTime start(QDate(2023, 1, 31), QTime(20, 0), Qt::UTC);
    for (int k = 0; k < count; ++k) {
        const int open = 106950 + (k * 37) % 1000;
        QStringList prices;
        for (int p : {open, open + 10, open - 10, open + 5})
            prices << QString::number(p / 100000.0, 'f', 5);
        result.append({start.addSecs(k * 900 + (k * 7) % 60), prices});
    }
    return result;
}

// One price line of a bar in the form of the file named so.
QString formLine(const QString &form, const Bar &b)
{
    const QString commas = b.prices.join(QLatin1Char(','));
    if (form == u"OWN")
        return b.t.toString(QStringLiteral("yyyy/MM/dd,H:mm,")) + commas + b.t.toString(QStringLiteral(",yyyy-MM-dd,HH:mm"));
    if (form == u"DOTTED")
        return b.t.toString(QStringLiteral("yyyy.MM.dd,HH:mm,")) + commas + QStringLiteral(",8");
    if (form == u"ISO")
        return b.t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss,")) + commas + QStringLiteral(",4858,24,0");
    if (form == u"TABBED")
        return b.t.toString(QStringLiteral("yyyy.MM.dd\tHH:mm:ss\t")) + b.prices.join(QLatin1Char('\t'))
               + QStringLiteral("\t4858\t0\t24");
    if (form == u"COMPACT")
        return b.t.toString(QStringLiteral("yyyyMMdd HHmmss;")) + b.prices.join(QLatin1Char(';')) + QStringLiteral(";0");
    return b.t.toString(QStringLiteral("yyyy/MM/dd HH:mm,")) + commas;
}

QByteArray utf16WithMark(const QString &text)
{
    QStringEncoder encoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    return encoder.encode(text);
}

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

    // A file of each form, the program's own among them: every price line
    // gives its row, two-digit stamp parts without seconds, prices without
    // their point and no second stamp; headers use up a number without a row
    // or a refusal; an impossible date is refused and counted; the closing
    // box names each file's form.
    void everyFormImports()
    {
        const QStringList forms = {QStringLiteral("OWN"),    QStringLiteral("DOTTED"),  QStringLiteral("ISO"),
                                   QStringLiteral("TABBED"), QStringLiteral("COMPACT"), QStringLiteral("JAPAN")};
        const QMap<QString, QString> headers = {
            {QStringLiteral("ISO"), QStringLiteral("Time,Open,High,Low,Close,Tick_Volume,Spread,Real_Volume")},
            {QStringLiteral("TABBED"), QStringLiteral("<DATE>\t<TIME>\t<OPEN>\t<HIGH>\t<LOW>\t<CLOSE>\t<TICKVOL>\t<VOL>\t<SPREAD>")},
            {QStringLiteral("JAPAN"), QStringLiteral("日時,始値,高値,安値,終値")},
        };
        QString seed = QStringLiteral("insert into AAFXL (CNT, FID, FXNM, RYAK, CSVNM) values ");
        for (int k = 0; k < forms.size(); ++k)
            seed += QStringLiteral("%1(%2, %2, '%3', '%3', '%4')")
                        .arg(k ? QStringLiteral(", ") : QString()).arg(k + 1).arg(forms[k].toLower(), forms[k]);
        WindowFixture f({seed});
        f.start();

        const QList<Bar> series = bars(300);
        QStringList expected;
        int iz = 1;
        for (int k = 0; k < forms.size(); ++k) {
            const QString &form = forms[k];
            QStringList lines;
            if (headers.contains(form)) {
                lines << headers[form];
                ++iz;
            }
            for (const Bar &b : series) {
                lines << formLine(form, b);
                const QString secondStamp = form == u"OWN" ? b.t.toString(QStringLiteral("yyyy MM dd HH mm")) + QStringLiteral(" -")
                                                           : QStringLiteral("- - - - - -");
                expected << QStringLiteral("%1 %2 %3 ").arg(iz++).arg(k + 1).arg(form.toLower())
                                + b.t.toString(QStringLiteral("yyyy MM dd HH mm ")) + b.prices.join(QLatin1Char(' ')).remove(QLatin1Char('.'))
                                + QLatin1Char(' ') + secondStamp;
            }
            if (form == u"ISO") {
                lines << QStringLiteral("2023-02-29 10:00:00,1.1,1.2,1.0,1.1,1,1,1");
                ++iz;
            }
            if (form == u"COMPACT")
                lines.insert(100, QString());
            const QString text = lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
            writeFile(f, form + QStringLiteral(".CSV"),
                      form == u"TABBED" ? utf16WithMark(text) : form == u"JAPAN" ? cp932(text) : text.toUtf8());
        }

        clickRead(f);
        QCOMPARE(f.boxes.errors, QStringList());
        const QString iso = QDir::currentPath() + QStringLiteral("/FXﾃﾞｰﾀ/CSV/ISO.CSV");
        QCOMPARE(f.boxes.messages,
                 QStringList{kDone + QStringLiteral(" 登録できなかった行: 1 行\n最初の行: %1 の 302 行目").arg(iso)
                             + QStringLiteral("\n読み取った形式:"
                                              "\n  OWN.CSV: 標準 (2023/01/05,9:30,…)"
                                              "\n  DOTTED.CSV: 取引ﾂｰﾙの履歴 (2009.01.05,12:49,…)"
                                              "\n  ISO.CSV: 取引ﾂｰﾙの ISO 日時 (2023-05-11 21:00:00,…)"
                                              "\n  TABBED.CSV: 取引ﾂｰﾙのﾀﾌﾞ区切り (<DATE> <TIME> …)"
                                              "\n  COMPACT.CSV: ﾃﾞｰﾀｻｲﾄの分足 (20230102 170000;…)"
                                              "\n  JAPAN.CSV: 国内FX会社 (日時,始値,高値,安値,終値)")});
        const QStringList stored = allRows(f);
        QCOMPARE(stored.size(), expected.size());
        QCOMPARE(stored, expected);
        QCOMPARE(f.scalar(QStringLiteral("select typeof(DML) || typeof(OV) from AFX where FID = 5 limit 1")),
                 QStringLiteral("textinteger"));
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

    // The import builds the indexes of AFX anew after its inserts: whether
    // it completes, fails on a missing file or is cancelled, they are there
    // afterwards as they were created, and the connection's page cache is
    // as large as before.
    void indexesComeBackWhateverTheEnd_data()
    {
        QTest::addColumn<bool>("secondFile");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("message");
        QTest::newRow("completed") << true << false << kDone;
        QTest::newRow("missing file") << false << false << QString();
        QTest::newRow("cancelled") << true << true
                                   << QStringLiteral("CSVﾌｧｲﾙからの読込を中止しました。ﾃｰﾌﾞﾙﾃﾞｰﾀは元のままです");
    }
    void indexesComeBackWhateverTheEnd()
    {
        QFETCH(bool, secondFile);
        QFETCH(bool, cancel);
        QFETCH(QString, message);
        WindowFixture f(kSeed);
        f.start();
        const QString indexes = QStringLiteral("select group_concat(name || ': ' || sql, ' | ') from "
                                               "(select name, sql from sqlite_master where type = 'index' "
                                               "and tbl_name = 'AFX' order by name)");
        const QString before = f.scalar(indexes);
        QVERIFY2(before.contains(QLatin1String("AFX_FID_DATE")), qPrintable(before));
        const QString cacheBefore = f.scalar(QStringLiteral("PRAGMA cache_size"));
        writeFile(f, QStringLiteral("USDJPY.CSV"), "2023/01/05,9:30,1,2,3,4\n2023/01/05,9:45,1,2,3,4\n");
        if (secondFile)
            writeFile(f, QStringLiteral("EURJPY.CSV"), "2023/01/05,9:30,1,2,3,4\n");
        if (cancel) {
            QTimer::singleShot(0, f.window.get(), [&f] {
                if (auto *dialog = f.window->findChild<QProgressDialog *>())
                    dialog->cancel();
            });
        }
        clickRead(f);
        QCOMPARE(f.boxes.messages, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(f.scalar(indexes), before);
        QCOMPARE(f.scalar(QStringLiteral("PRAGMA cache_size")), cacheBefore);
        QVERIFY(!f.dm->csq.inTransaction());
    }
};

KEIZAI_TEST_MAIN(TestFxImport)
#include "tst_fximport.moc"
