#include "TestMain.h"
#include "WindowFixture.h"
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

namespace {

// Five indicators: one with three releases (two at the same time), one with
// the id 9, one with a half-width kana file name, one whose file is "CLN",
// and one without releases.
const QStringList kSeed = {
    QStringLiteral("insert into AAEIL (CNT, IID, IXNM, CSVNM) values "
                   "(1, 3, '米国雇用統計', 'USEMP'), (2, 9, '区切り', 'SEP'), (3, 5, '日銀短観', 'ﾀﾝｶﾝ'), "
                   "(4, 7, 'ISM製造業', 'CLN'), (5, 8, '空', 'EMPTY')"),
    QStringLiteral("insert into AINDX (CNT, IID, IXNM, DY, DM, DD, HH, HM, RV, EV, CV, TYO) values "
                   "(12, 3, '米国雇用統計', '2024', '05', '03', '21', '30', 175, 240, 165, 'ﾒﾓ'), "
                   "(11, 3, '米国雇用統計', '2024', '04', '05', '21', '30', -5, NULL, NULL, ''), "
                   "(10, 3, '米国雇用統計', '2024', '04', '05', '21', '30', 303, 214, NULL, NULL), "
                   "(20, 9, '区切り', '2024', '01', '01', '00', '00', 1, 1, 1, NULL), "
                   "(30, 5, '日銀短観', '2024', '04', '01', '08', '50', 13, 12, NULL, NULL), "
                   "(40, 7, 'ISM製造業', '2024', '05', '01', '23', '00', 492, 500, NULL, NULL)"),
};

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("(missing)");
    return file.readAll();
}

QString valueFile(WindowFixture &f, const QString &name)
{
    return f.folder.file(QStringLiteral("経済指標/CSV/") + name + QStringLiteral(".CSV"));
}

void setRemark(WindowFixture &f, int cnt, const QString &text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    f.dm->csq.execute(QStringLiteral("update AINDX set TYO = '%1' where CNT = %2").arg(quoted).arg(cnt));
}

// Presses the progress dialog's キャンセル as soon as its label names the
// file: the dialog takes timers while it is not yet shown.
void cancelOnceAt(WindowFixture &f, const QString &fileName)
{
    auto *poll = new QTimer(f.window.get());
    QObject::connect(poll, &QTimer::timeout, poll, [&f, fileName, poll] {
        auto *dialog = f.window->findChild<QProgressDialog *>();
        auto *label = dialog ? dialog->findChild<QLabel *>() : nullptr;
        if (label && label->text().contains(fileName)) {
            dialog->cancel();
            poll->deleteLater();
        }
    });
    poll->start(0);
}

// A click as the user gives it, so that an error ends in the error box.
void press(QPushButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace

class TestValueFiles : public QObject {
    Q_OBJECT
private slots:
    void writesEveryIndicatorButTheId9ByteForByte()
    {
        WindowFixture f(kSeed);
        f.start();
        TVostrelF &w = *f.window;
        press(w.a203cwB);

        QVERIFY(f.boxes.errors.isEmpty());
        const QString folder = f.folder.file(QStringLiteral("経済指標/CSV"));
        QCOMPARE(f.boxes.messages, (QStringList{folder + QStringLiteral("  CSVﾌｧｲﾙに書出します"),
                                                QStringLiteral("CSVﾌｧｲﾙ書込終了")}));
        // Ordered by date and time, then CNT; NULL an empty field; code page
        // 932 without a mark; CR LF after every line, the last one included.
        const QByteArray kanji = QByteArray::fromHex("95c48d918cd99770939d8c76");
        QCOMPARE(bytesOf(valueFile(f, QStringLiteral("USEMP"))),
                 QByteArray("10,3,") + kanji + ",2024,04,05,21,30,303,214,,\r\n"
                     + "11,3," + kanji + ",2024,04,05,21,30,-5,,,\r\n"
                     + "12,3," + kanji + ",2024,05,03,21,30,175,240,165," + QByteArray::fromHex("d2d3") + "\r\n");
        QCOMPARE(bytesOf(valueFile(f, QStringLiteral("ﾀﾝｶﾝ"))),
                 QByteArray("30,5,") + QByteArray::fromHex("93fa8be2925a8acf") + ",2024,04,01,08,50,13,12,,\r\n");
        QCOMPARE(bytesOf(valueFile(f, QStringLiteral("CLN"))),
                 QByteArray("40,7,") + QByteArray::fromHex("49534d90bb91a28bc6") + ",2024,05,01,23,00,492,500,,\r\n");
        QCOMPARE(bytesOf(valueFile(f, QStringLiteral("EMPTY"))), QByteArray());
        // Nothing else in the folder: no file of the id 9, no temporary file.
        QCOMPARE(QDir(folder).entryList(QDir::Files, QDir::Name),
                 (QStringList{QStringLiteral("CLN.CSV"), QStringLiteral("EMPTY.CSV"), QStringLiteral("USEMP.CSV"),
                              QStringLiteral("ﾀﾝｶﾝ.CSV")}));

        // The selection is back, the values are loaded, the focus is in the name field.
        QCOMPARE(f.dm->qe1->currentRow(), 0);
        QVERIFY(f.dm->qe2->isOpen());
        QCOMPARE(f.dm->qe2->rowCount(), 3);
        QVERIFY(w.a102knE->hasFocus());
    }

    void writingReplacesAnOldFileWhole()
    {
        WindowFixture f(kSeed);
        f.start();
        QDir().mkpath(f.folder.file(QStringLiteral("経済指標/CSV")));
        QFile old(valueFile(f, QStringLiteral("EMPTY")));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("a much longer old text than the new one\r\n");
        old.close();
        f.window->uqCsv(1);
        QCOMPARE(bytesOf(valueFile(f, QStringLiteral("EMPTY"))), QByteArray());
    }

    void selectionGoesBackToTheFirstOfASharedName()
    {
        WindowFixture f({QStringLiteral("insert into AAEIL (CNT, IID, IXNM, CSVNM) values "
                                        "(1, 3, 'A', 'A1'), (2, 4, 'B', 'B1'), (3, 5, 'B', 'B2')")});
        f.start();
        f.dm->qe1->moveTo(2);
        f.window->uqCsv(1);
        QCOMPARE(f.dm->qe1->currentRow(), 1);
        QCOMPARE(f.window->a118iidL->text(), QStringLiteral("3")); // the panel is not touched
    }

    // The quoting itself is tested with the line; here the file.
    void quotesWhatTheReaderWouldSplit()
    {
        WindowFixture f(kSeed);
        f.start();
        setRemark(f, 30, QStringLiteral("\"x\", y"));
        f.window->uqCsv(1);
        QCOMPARE(bytesOf(valueFile(f, QStringLiteral("ﾀﾝｶﾝ"))),
                 QByteArray("30,5,") + QByteArray::fromHex("93fa8be2925a8acf")
                     + ",2024,04,01,08,50,13,12,,\"\"\"x\"\", y\"\r\n");
    }

    // A file with a character that code page 932 lacks is written whole as
    // UTF-8 with its mark; the other files stay code page 932.
    void fileWithAnUnencodableCharacterIsUtf8()
    {
        WindowFixture f(kSeed);
        f.start();
        setRemark(f, 30, QString::fromUtf8("€ 😀 ｶﾅ"));
        f.window->uqCsv(1);
        QCOMPARE(bytesOf(valueFile(f, QStringLiteral("ﾀﾝｶﾝ"))),
                 QByteArray("\xEF\xBB\xBF") + QStringLiteral("30,5,日銀短観,2024,04,01,08,50,13,12,,").toUtf8()
                     + QString::fromUtf8("€ 😀 ｶﾅ").toUtf8() + "\r\n");
        QVERIFY(bytesOf(valueFile(f, QStringLiteral("USEMP"))).startsWith("10,3,\x95\xc4"));
    }

    // A line break in a value stops the write before that file is replaced:
    // the files before it are written, the old file and those after it stay.
    void lineBreakInAValueStopsBeforeItsFile_data()
    {
        QTest::addColumn<QString>("remark");
        QTest::newRow("LF") << QStringLiteral("two\nlines");
        QTest::newRow("CR") << QStringLiteral("two\rlines");
    }
    void lineBreakInAValueStopsBeforeItsFile()
    {
        QFETCH(QString, remark);
        WindowFixture f(kSeed);
        f.start();
        setRemark(f, 30, remark);
        QDir().mkpath(f.folder.file(QStringLiteral("経済指標/CSV")));
        QFile old(valueFile(f, QStringLiteral("ﾀﾝｶﾝ")));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old\r\n");
        old.close();

        press(f.window->a203cwB);
        QCOMPARE(f.boxes.errors,
                 QStringList{QStringLiteral("経済指標 '日銀短観' の行番号 30 の値に改行があります。CSVﾌｧｲﾙに書けません")});
        QCOMPARE(f.boxes.messages.size(), 1); // no closing message
        QVERIFY(bytesOf(valueFile(f, QStringLiteral("USEMP"))).startsWith("10,3,"));
        QCOMPARE(bytesOf(valueFile(f, QStringLiteral("ﾀﾝｶﾝ"))), QByteArray("old\r\n"));
        QVERIFY(!QFile::exists(valueFile(f, QStringLiteral("CLN"))));
    }

    void fileThatCannotBeCreatedNamesItsPath()
    {
        WindowFixture f({QStringLiteral("insert into AAEIL (CNT, IID, IXNM, CSVNM) values (1, 3, 'A', 'no/such')")});
        f.start();
        press(f.window->a203cwB);
        QCOMPARE(f.boxes.errors.size(), 1);
        QVERIFY2(f.boxes.errors[0].startsWith(QStringLiteral("ファイル '%1' を書けません: ")
                                                  .arg(valueFile(f, QStringLiteral("no/such")))),
                 qPrintable(f.boxes.errors[0]));
    }

    // Written and read back: every value but CNT returns, renumbered from 1
    // in the order of the list; the "CLN" file is not read.
    void roundTripRenumbersAndKeepsEveryValue()
    {
        WindowFixture f(kSeed);
        f.start();
        setRemark(f, 30, QString::fromUtf8(" a,\"b\" 😀 ｶﾅ "));
        setRemark(f, 12, QStringLiteral("\"q"));
        const QString columns = QStringLiteral("IID || '|' || IXNM || '|' || DY || DM || DD || HH || HM || '|' || "
                                               "ifnull(RV, '-') || '|' || ifnull(EV, '-') || '|' || ifnull(CV, '-') || "
                                               "'|' || ifnull(TYO, '')"); // an empty text is stored as NULL
        const QString before = f.scalar(QStringLiteral("select group_concat(%1, '/') from (select * from AINDX "
                                                       "where IID in (3, 5) order by IID, DY, DM, DD, HH, HM, CNT)")
                                            .arg(columns));
        f.window->uqCsv(1);
        QFile::remove(valueFile(f, QStringLiteral("SEP"))); // id 9 has no file: give it an empty one
        QFile sep(valueFile(f, QStringLiteral("SEP")));
        QVERIFY(sep.open(QIODevice::WriteOnly));
        sep.close();
        f.boxes.clear();
        press(f.window->a204crB);
        QVERIFY2(f.boxes.errors.isEmpty(), qPrintable(f.boxes.errors.join(QLatin1Char('\n'))));
        QCOMPARE(f.boxes.messages, QStringList{QStringLiteral(" CSVﾌｧｲﾙからの読込終了 ")});
        QCOMPARE(f.scalar(QStringLiteral("select group_concat(CNT) from (select CNT from AINDX order by CNT)")),
                 QStringLiteral("1,2,3,4"));
        QCOMPARE(f.scalar(QStringLiteral("select group_concat(%1, '/') from (select * from AINDX order by CNT)")
                              .arg(columns)),
                 before);
        QVERIFY(f.window->a102knE->hasFocus());
    }

    // A cancelled write keeps the files written before it and leaves every
    // other file as it was; the selection and the values are back.
    void cancelledWriteLeavesTheFilesNotYetWritten()
    {
        WindowFixture f(kSeed);
        f.start();
        QDir().mkpath(f.folder.file(QStringLiteral("経済指標/CSV")));
        const QStringList names{QStringLiteral("USEMP"), QStringLiteral("ﾀﾝｶﾝ"), QStringLiteral("CLN"),
                                QStringLiteral("EMPTY")};
        for (const QString &name : names) {
            QFile old(valueFile(f, name));
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("old\r\n");
        }
        cancelOnceAt(f, QStringLiteral("ﾀﾝｶﾝ.CSV"));
        press(f.window->a203cwB);
        QCOMPARE(f.boxes.errors, QStringList());
        QCOMPARE(f.boxes.messages.last(),
                 QStringLiteral("CSVﾌｧｲﾙ書込を中止しました。書き終えたﾌｧｲﾙは 1 個、他のﾌｧｲﾙは元のままです"));
        QVERIFY(bytesOf(valueFile(f, QStringLiteral("USEMP"))).startsWith("10,3,"));
        for (const QString &name : names.mid(1))
            QCOMPARE(bytesOf(valueFile(f, name)), QByteArray("old\r\n"));
        QCOMPARE(QDir(f.folder.file(QStringLiteral("経済指標/CSV"))).entryList(QDir::Files).size(), names.size());
        QVERIFY(f.dm->qe2->isOpen());
        QVERIFY(f.window->a102knE->hasFocus());
    }

    // A cancel halfway through the second file leaves AINDX as it was.
    void cancelledReadLeavesTheTable()
    {
        WindowFixture f(kSeed);
        f.start();
        f.window->uqCsv(1);
        QFile sep(valueFile(f, QStringLiteral("SEP")));
        QVERIFY(sep.open(QIODevice::WriteOnly));
        sep.close();
        const QString all = QStringLiteral("select group_concat(CNT || IID || ifnull(TYO, '-')) from AINDX");
        const QString before = f.scalar(all);
        f.boxes.clear();
        cancelOnceAt(f, QStringLiteral("ﾀﾝｶﾝ.CSV"));
        press(f.window->a204crB);
        QCOMPARE(f.boxes.errors, QStringList());
        QCOMPARE(f.boxes.messages,
                 QStringList{QStringLiteral("CSVﾌｧｲﾙからの読込を中止しました。ﾃｰﾌﾞﾙﾃﾞｰﾀは元のままです")});
        QCOMPARE(f.scalar(all), before);
        QVERIFY(!f.dm->csq.inTransaction());
        QVERIFY(f.dm->qe2->isOpen());
        QVERIFY(f.window->a102knE->hasFocus());
    }

    // A line the number rule refuses is passed over alone, uses up its
    // number and is counted in the closing box.
    void refusedLineIsCounted()
    {
        WindowFixture f({QStringLiteral("insert into AAEIL (CNT, IID, IXNM, CSVNM) values (1, 3, 'A', 'A1')")});
        f.start();
        QDir().mkpath(f.folder.file(QStringLiteral("経済指標/CSV")));
        QFile file(valueFile(f, QStringLiteral("A1")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("1,3,A,2024,01,05,09,30,1,2,,\r\n"
                   "2,3,A,2024,02,05,09,30,x,2,,\r\n"
                   "3,3,A,2024,03,05,09,30,3,4,,\r\n");
        file.close();
        press(f.window->a204crB);
        QCOMPARE(f.boxes.errors, QStringList());
        QCOMPARE(f.boxes.messages, QStringList{QStringLiteral(" CSVﾌｧｲﾙからの読込終了  登録できなかった行: 1 行\n最初の行: ")
                                               + QDir::toNativeSeparators(valueFile(f, QStringLiteral("A1")))
                                               + QStringLiteral(" の 2 行目")});
        QCOMPARE(f.scalar(QStringLiteral("select group_concat(CNT || ':' || RV) from AINDX")), QStringLiteral("1:1,3:3"));
    }

    void noChangesNothing()
    {
        WindowFixture f(kSeed);
        f.start();
        f.boxes.answerNext(false);
        press(f.window->a204crB);
        QCOMPARE(f.scalar(QStringLiteral("select count(*) from AINDX")), QStringLiteral("6"));
        QVERIFY(f.window->a102knE->hasFocus());
    }

    // A missing file or a short line stops the read: AINDX as it was.
    void failedReadLeavesTheTableAsItWas_data()
    {
        QTest::addColumn<QByteArray>("usemp");
        QTest::addColumn<QString>("error");
        QTest::newRow("missing file") << QByteArray() << QStringLiteral("SEP.CSV");
        QTest::newRow("short line") << QByteArray("1,3,x,2024,01,01,00,00,1,1,1,\r\n\r\n")
                                    << QStringLiteral("USEMP.CSV' の 2 行目を読めません");
    }
    void failedReadLeavesTheTableAsItWas()
    {
        QFETCH(QByteArray, usemp);
        QFETCH(QString, error);
        WindowFixture f(kSeed);
        f.start();
        f.window->uqCsv(1);
        if (!usemp.isEmpty()) {
            QFile file(valueFile(f, QStringLiteral("USEMP")));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(usemp);
        }
        const QString all = QStringLiteral("select group_concat(CNT || IID || ifnull(TYO, '-')) from AINDX");
        const QString before = f.scalar(all);
        press(f.window->a204crB);
        QCOMPARE(f.boxes.errors.size(), 1);
        QVERIFY2(f.boxes.errors[0].contains(error), qPrintable(f.boxes.errors[0]));
        QCOMPARE(f.scalar(all), before);
    }
};

KEIZAI_TEST_MAIN(TestValueFiles)
#include "tst_valuefiles.moc"
