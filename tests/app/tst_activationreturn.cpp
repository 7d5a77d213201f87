#include "app/ActivationReturn.h"
#include <QtTest>

// The window's activations told apart, over the orders in which window
// managers report them. In a script, M, B, O and N are the focus moving to
// the main window, one of the program's boxes, another window and none;
// A is the main window's activation (reported before the focus moves to it),
// recorded as r for a return of the user, b for the way back from a box.
class TestActivationReturn : public QObject {
    Q_OBJECT
private slots:
    void judge_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("judged");
        QTest::newRow("first start") << "AM" << "r";
        QTest::newRow("box closes, window takes the activation back") << "AM B AM" << "rb";
        QTest::newRow("the whole program reported inactive around its box") << "AM N B N AM" << "rb";
        QTest::newRow("box closes with no activation of the window") << "AM B M N AM" << "rr";
        QTest::newRow("user goes to another program and comes back") << "AM N AM" << "rr";
        QTest::newRow("comes back from the box, then from another program") << "AM B AM N AM" << "rbr";
        QTest::newRow("from another window of the program") << "AM O AM" << "rr";
    }
    void judge()
    {
        QFETCH(QString, script);
        QFETCH(QString, judged);
        using Window = ActivationReturn::Window;
        ActivationReturn activations;
        QString seen;
        for (QChar step : script) {
            switch (step.unicode()) {
            case 'A': seen += activations.isReturnOfTheUser() ? u'r' : u'b'; break;
            case 'M': activations.focusMoved(Window::Main); break;
            case 'B': activations.focusMoved(Window::OwnBox); break;
            case 'O': activations.focusMoved(Window::Other); break;
            case 'N': activations.focusMoved(Window::None); break;
            default: break;
            }
        }
        QCOMPARE(seen, judged);
    }
};

QTEST_GUILESS_MAIN(TestActivationReturn)
#include "tst_activationreturn.moc"
