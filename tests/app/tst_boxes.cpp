#include "TestMain.h"
#include "app/MessageBoxes.h"
#include "app/Translations.h"
#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>

// The program's real modal boxes: title, icon, buttons in Japanese, answers.
class TestBoxes : public QObject {
    Q_OBJECT

    struct Seen {
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QStringList buttons;
    };

    // Reads the box that opens next and presses the button with the text given.
    static void answerWith(Seen &seen, const QString &press)
    {
        QTimer::singleShot(0, [&seen, press] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            seen.title = box->windowTitle();
            seen.text = box->text();
            seen.icon = box->icon();
            QAbstractButton *pressed = nullptr;
            for (QAbstractButton *button : box->buttons()) {
                seen.buttons << button->text().remove(QLatin1Char('&'));
                if (button->text().remove(QLatin1Char('&')).startsWith(press))
                    pressed = button;
            }
            QVERIFY(pressed);
            pressed->click();
        });
    }

private slots:
    void initTestCase() { Translations::install(*qApp); }

    void boxes()
    {
        MessageBoxes boxes;
        Seen seen;

        answerWith(seen, QStringLiteral("キャンセル"));
        QVERIFY(!boxes.confirmOkCancel(QStringLiteral("レコードを削除しますか？")));
        QCOMPARE(seen.buttons, (QStringList{QStringLiteral("OK"), QStringLiteral("キャンセル")}));
        QCOMPARE(seen.title, QStringLiteral("経済指標記録"));

        seen = {};
        answerWith(seen, QStringLiteral("OK"));
        QVERIFY(boxes.confirmOkCancel(QStringLiteral("レコードを削除しますか？")));

        seen = {};
        answerWith(seen, QStringLiteral("いいえ"));
        QVERIFY(!boxes.confirmYesNo(QStringLiteral("ﾃｰﾌﾞﾙﾃﾞｰﾀは書き換えられますが実行しますか?")));
        seen.buttons.sort();
        QCOMPARE(seen.buttons, (QStringList{QStringLiteral("いいえ(N)"), QStringLiteral("はい(Y)")}));

        seen = {};
        answerWith(seen, QStringLiteral("OK"));
        boxes.error(QStringLiteral("整数のオーバーフロー"));
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QCOMPARE(seen.title, QStringLiteral("経済指標記録"));
        QCOMPARE(seen.text, QStringLiteral("整数のオーバーフロー"));
        QCOMPARE(seen.buttons, QStringList{QStringLiteral("OK")});
    }
};

KEIZAI_TEST_MAIN(TestBoxes)
#include "tst_boxes.moc"
