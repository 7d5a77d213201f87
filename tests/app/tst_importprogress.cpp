#include "TestMain.h"
#include "app/ImportProgress.h"
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QThread>

// The progress dialog of a long import.
class TestImportProgress : public QObject {
    Q_OBJECT
private slots:
    // Hidden while the import is short; after half a second it names the
    // file and the lines read, and its キャンセル stops the import.
    void showsLateAndCancels()
    {
        QWidget window;
        window.show();
        ImportProgress progress(&window);
        auto *dialog = window.findChild<QProgressDialog *>();
        QVERIFY(dialog);
        progress.beginFile(QStringLiteral("/w/FXﾃﾞｰﾀ/CSV/USDJPY.CSV"), 100000);
        for (int k = 0; k < 1000; ++k)
            QVERIFY(progress.advance(k));
        QVERIFY(!dialog->isVisible());

        QThread::msleep(600);
        for (int k = 1000; k < 1300; ++k)
            QVERIFY(progress.advance(k));
        QVERIFY(dialog->isVisible());
        QVERIFY(dialog->isModal() || dialog->windowModality() != Qt::NonModal);
        const QString label = dialog->findChild<QLabel *>()->text();
        QVERIFY2(label.contains(QStringLiteral("/w/FXﾃﾞｰﾀ/CSV/USDJPY.CSV")) && label.contains(QLatin1String("100000")),
                 qPrintable(label));
        QPushButton *cancel = dialog->findChild<QPushButton *>();
        QCOMPARE(cancel->text(), QStringLiteral("キャンセル"));
        cancel->click();
        QVERIFY(!progress.advance(1300));
        QVERIFY(progress.wasCancelled());
    }

    // The write of the value files says so; its count is of the whole write.
    void namesTheWrite()
    {
        QWidget window;
        ImportProgress progress(&window, ImportProgress::Work::Writing);
        progress.beginFile(QStringLiteral("/w/経済指標/CSV/USEMP.CSV"), 100000);
        auto *dialog = window.findChild<QProgressDialog *>();
        QCOMPARE(dialog->windowTitle(), QStringLiteral("CSVﾌｧｲﾙ書込"));
        QCOMPARE(dialog->findChild<QLabel *>()->text(), QStringLiteral("/w/経済指標/CSV/USEMP.CSV を書込中\n0 / 100000 行"));
    }
};

KEIZAI_TEST_MAIN(TestImportProgress)
#include "tst_importprogress.moc"
