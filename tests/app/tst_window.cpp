#include "ScriptedBoxes.h"
#include "WorkFolder.h"
#include "app/DarkStyle.h"
#include "app/Fonts.h"
#include "app/PageControl.h"
#include "app/Panel.h"
#include "app/Styles.h"
#include "app/VostrelF.h"
#include "store/Tdm.h"
#include <QChartView>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRawFont>
#include <QSignalSpy>
#include <QTableView>
#include <memory>
#include "TestMain.h"

namespace {

// The main window shown and active over an empty working folder. Its first
// activation stops at the missing dictionary; the error box is recorded.
struct ShownWindow {
    WorkFolder folder;
    ScriptedBoxes boxes;
    Tdm dm;
    TVostrelF window;

    ShownWindow()
    {
        window.bindDataModule(&dm);
        window.show();
    }

    template <typename T = QWidget>
    T *control(const QString &name) const
    {
        if (name == QLatin1String("VostrelF"))
            return qobject_cast<T *>(const_cast<TVostrelF *>(&window));
        return window.findChild<T *>(name);
    }

    // Shows the page that holds the control, so that its layout is done.
    void showPageOf(QWidget *control)
    {
        for (QWidget *page : {window.ats, window.bts, window.cts, window.dts, window.ets}) {
            if (page->isAncestorOf(control) || page == control) {
                window.pc->setCurrentWidget(page);
                break;
            }
        }
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

    void showPage(QWidget *page)
    {
        window.pc->setCurrentWidget(page);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

    // The name of the control with the focus; the tab row counts as `pc`.
    QString focusName() const
    {
        QWidget *focus = QApplication::focusWidget();
        if (!focus)
            return QStringLiteral("(none)");
        if (focus == window.pc->tabBar())
            return QStringLiteral("pc");
        return focus->objectName();
    }
};

const QString tabTexts[] = {QStringLiteral("経済指標"), QStringLiteral("価格推移"), QStringLiteral("ｸﾞﾗﾌ"),
                            QStringLiteral("ﾃｰﾌﾞﾙ表"), QStringLiteral("ﾌﾞﾗｳｻﾞ")};

struct Ink {
    int count = 0;
    QRect box;
};

// The pixels of exactly one colour inside a rectangle of an image.
Ink inkOf(const QImage &image, const QRect &area, QRgb colour)
{
    Ink ink;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if ((image.pixel(x, y) & 0xffffff) == (colour & 0xffffff)) {
                ++ink.count;
                ink.box |= QRect(x, y, 1, 1);
            }
        }
    }
    return ink;
}

} // namespace

class TestWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        Fonts::install();
        ScriptedBoxes boxes;
        QVERIFY(Styles::apply(QStringLiteral("Windows10 Dark")));
        QVERIFY(boxes.errors.isEmpty());
    }

    void theStyleIsFoundByItsExactName()
    {
        QVERIFY(qobject_cast<DarkStyle *>(QApplication::style()));
        QCOMPARE(QApplication::style()->objectName(), QStringLiteral("Windows10 Dark"));
        QVERIFY(QApplication::palette().color(QPalette::Window).lightness() < 80);
        QVERIFY(QApplication::palette().color(QPalette::WindowText).lightness() > 200);
    }

    void anUnknownStyleNameIsReportedAndTheLookStays_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << QString();
        QTest::newRow("lower case") << QStringLiteral("windows10 dark");
        QTest::newRow("trailing blank") << QStringLiteral("Windows10 Dark ");
        QTest::newRow("full-width digits") << QStringLiteral("Windows１０ Dark");
        QTest::newRow("built-in, not carried") << QStringLiteral("Fusion");
    }

    void anUnknownStyleNameIsReportedAndTheLookStays()
    {
        QFETCH(QString, name);
        QStyle *before = QApplication::style();
        const QPalette paletteBefore = QApplication::palette();
        ScriptedBoxes boxes;

        QVERIFY(!Styles::apply(name));

        QCOMPARE(boxes.errors, QStringList{QStringLiteral("スタイル '%1' が見つかりません").arg(name)});
        QCOMPARE(QApplication::style(), before);
        QVERIFY(QApplication::palette() == paletteBefore);

        // Start-up goes on: the window is built as usual.
        TVostrelF window;
        QCOMPARE(window.A00P->caption(), QStringLiteral("A00P"));
        QCOMPARE(window.pc->count(), 5);
    }

    void theWindowAndItsFont()
    {
        ShownWindow shown;
        TVostrelF &window = shown.window;
        QCOMPARE(window.windowTitle(), QStringLiteral("経済指標記録"));
        QCOMPARE(window.geometry(), QRect(190, 120, 904, 641));
        QCOMPARE(window.A00P->caption(), QStringLiteral("A00P"));
        QVERIFY(!window.A00BB->icon().isNull());

        // The window asks for "ＭＳ ゴシック" and is given a Japanese gothic.
        QCOMPARE(window.font().family(), QStringLiteral("ＭＳ ゴシック"));
        QCOMPARE(window.font().pixelSize(), 23);
        const QFontInfo given(window.font());
        QVERIFY(given.family() != Fonts::windowFamily());
        QCOMPARE(given.pixelSize(), 23);
        const QRawFont raw = QRawFont::fromFont(window.font());
        for (QChar c : QStringLiteral("経済指標記録ｸﾞﾗﾌ閉じる"))
            QVERIFY2(raw.supportsCharacter(c), qPrintable(QString(c)));

        // Every control takes the window's font; the mode label alone is
        // larger and red.
        for (QWidget *control : window.findChildren<QWidget *>()) {
            if (control->objectName().isEmpty() || control->objectName().startsWith(QLatin1String("qt_")))
                continue;
            const QFont font = control->font();
            QVERIFY2(font.family() == Fonts::windowFamily(), qPrintable(control->objectName()));
            QCOMPARE(font.pixelSize(), control == window.a105modL ? 27 : 23);
        }
        QCOMPARE(window.a105modL->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(QFontInfo(window.a105modL->font()).pixelSize(), 27);

        // The pages in order, the indicator page shown.
        QCOMPARE(window.pc->count(), 5);
        QWidget *pages[] = {window.ats, window.bts, window.cts, window.dts, window.ets};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(window.pc->widget(i), pages[i]);
            QCOMPARE(window.pc->tabText(i), tabTexts[i]);
            shown.showPage(pages[i]);
            QCOMPARE(pages[i]->size(), QSize(896, 552));
        }
        QCOMPARE(window.pc->geometry(), QRect(0, 0, 904, 591));
    }

    // Every named control: kind, text, parent, place, and size where it is
    // fixed. A width or height of -1 is not compared. Panels with a bevel
    // place what they align inside the bevel, one pixel from their edges.
    void everyControl_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("place");

        auto row = [](const char *name, const char *kind, const QString &text, const char *parent,
                      QRect place) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(kind) << text
                                << QString::fromLatin1(parent) << place;
        };
        auto at = [](int left, int top, int width = -1, int height = -1) {
            return QRect(left, top, width, height);
        };
        const QString none;

        // bottom bar
        row("A00P", "panel", QStringLiteral("A00P"), "VostrelF", at(0, 591, 904, 50));
        row("a00gdL", "label", none, "A00P", at(16, 8));
        row("A00BB", "button", QStringLiteral("閉じる(&C)"), "A00P", at(720, 6, 120, 25));
        row("pc", "pages", none, "VostrelF", at(0, 0, 904, 591));

        // indicator page
        row("a1P", "panel", none, "ats", at(0, 0, 560, 552));
        row("a101gdL", "label", QStringLiteral("経済指標の追加修正"), "a1P", at(16, 8));
        row("a102knL", "label", QStringLiteral("経済指標名"), "a1P", at(16, 40));
        row("a102knE", "edit", none, "a1P", at(146, 38, 140, 31));
        row("a103gdL", "label", QStringLiteral("↓↑選択"), "a1P", at(304, 40));
        row("a118iidL", "label", none, "a1P", at(456, 40));
        row("a104gdL", "label", QStringLiteral("ﾘﾀｰﾝｷｰで選択決定"), "a1P", at(16, 72));
        row("adg", "grid", none, "a1P", at(1, 105, 550, 273));
        row("a105modL", "label", QStringLiteral("新規"), "a1P", at(16, 384));
        row("a117cnL", "label", none, "a1P", at(112, 384));
        row("a106dyL", "label", QStringLiteral("年"), "a1P", at(32, 424));
        row("a107dmL", "label", QStringLiteral("月"), "a1P", at(88, 424));
        row("a108ddL", "label", QStringLiteral("日"), "a1P", at(128, 424));
        row("a109hhL", "label", QStringLiteral("時"), "a1P", at(168, 424));
        row("a110hmL", "label", QStringLiteral("分"), "a1P", at(208, 424));
        row("a106dyE", "edit>", none, "a1P", at(8, 448, 70, 31));
        row("a107dmE", "edit>", none, "a1P", at(80, 448, 38, 31));
        row("a108ddE", "edit>", none, "a1P", at(120, 448, 38, 31));
        row("a109hhE", "edit>", none, "a1P", at(160, 448, 38, 31));
        row("a110hmE", "edit>", none, "a1P", at(200, 448, 38, 31));
        row("a119gd3L", "label", QStringLiteral("[F12]:ﾌﾞﾗｳｻﾞ参照"), "a1P", at(360, 416));
        row("a115gd1L", "label", QStringLiteral("[Ent]:次項目"), "a1P", at(360, 440));
        row("a116gd2L", "label", QStringLiteral("[Esc]:前項目"), "a1P", at(360, 464));
        row("a111rvL", "label", QStringLiteral("結果値"), "a1P", at(24, 488));
        row("a112evL", "label", QStringLiteral("期待値"), "a1P", at(120, 488));
        row("a113cvL", "label", QStringLiteral("補正値"), "a1P", at(224, 488));
        row("a111rvE", "edit>", none, "a1P", at(8, 520, 100, 31));
        row("a112evE", "edit>", none, "a1P", at(110, 520, 98, 31));
        row("a113cvE", "edit>", none, "a1P", at(210, 520, 98, 31));
        row("a114rgB", "button", QStringLiteral("登録(&R)"), "a1P", at(325, 520, 120, 25));
        row("a2P", "panel", none, "ats", at(560, 0, 336, 552));
        row("a201P", "panel", none, "a2P", at(1, 1, 334, 104));
        row("a203cwL", "label", QStringLiteral("CSVﾌｧｲﾙ書出"), "a201P", at(24, 16));
        row("a203cwB", "button", QStringLiteral("書出(&W)"), "a201P", at(200, 16, 100, 25));
        row("a204crL", "label", QStringLiteral("CSVﾌｧｲﾙ読込"), "a201P", at(24, 56));
        row("a204crB", "button", QStringLiteral("読込(&Y)"), "a201P", at(200, 56, 100, 25));
        row("a202Mem", "memo", none, "a2P", at(1, 105, 334, 446));

        // price page
        row("b101P", "panel", none, "bts", at(0, 0, 640, 552));
        row("b201P", "panel", none, "bts", at(640, 0, 256, 552));
        row("b102ttlL", "label", QStringLiteral("FX等価格推移"), "b101P", at(16, 8));
        row("b103fnL", "label", QStringLiteral("FX等表名"), "b101P", at(16, 40));
        row("b103fnE", "edit", none, "b101P", at(128, 40, 140, 31));
        row("b104gdL", "label", QStringLiteral("↓↑選択"), "b101P", at(280, 40));
        row("b105cvrB", "button", QStringLiteral("CSV読込(&R)"), "b101P", at(464, 40, 120, 25));
        row("bdg", "grid", none, "b101P", at(10, 77, 624, 393));

        // chart page
        row("c1P", "panel", none, "cts", at(0, 0, 896, 50));
        row("c2P", "panel", none, "cts", at(0, 50, 896, 502));
        row("c12gdL", "label", QStringLiteral("FX価格と経済指標の関係"), "c1P", at(16, 8));
        row("c11gpB", "button", QStringLiteral("ｸﾞﾗﾌ表示"), "c1P", at(720, 8, 140, 25));
        row("c13rtB", "button", QStringLiteral("反応表(&T)"), "c1P", at(570, 8, 140, 25));
        row("c02cht", "chart", none, "c2P", at(1, 1, 894, 270));
        row("c03cht", "chart", none, "c2P", at(16, 270, 860, 240));

        // table page
        row("d1P", "panel", none, "dts", at(0, 0, 896, 210));
        row("d2P", "panel", none, "dts", at(0, 210, 896, 342));
        row("d11ttlL", "label", QStringLiteral("FXﾃｰﾌﾞﾙ表"), "d1P", at(16, 8));
        row("d1G", "grid", none, "d1P", at(8, 40, 880, 152));
        row("d21ttlL", "label", QStringLiteral("経済指標表"), "d2P", at(8, 8));
        row("d2G", "grid", none, "d2P", at(8, 40, 880, 280));

        // browser page
        row("e1P", "panel", none, "ets", at(0, 0, 896, 60));
        row("e2P", "panel", none, "ets", at(0, 60, 896, 492));
        row("e101gdL", "label", QStringLiteral("ﾌﾞﾗｳｻﾞで表示"), "e1P", at(16, 16));
        row("e103fmL", "label", QStringLiteral("e103fmL"), "e1P", at(552, 16));
        row("e102agB", "button", QStringLiteral("指標入力へ"), "e1P", at(704, 16, 140, 25));
        row("e201EB", "web", none, "e2P", at(1, 1, 894, 490));
    }

    void everyControl()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(QString, parent);
        QFETCH(QRect, place);

        ShownWindow shown;
        QWidget *control = shown.control(name);
        QVERIFY2(control, "no control of that name");
        shown.showPageOf(control);
        QVERIFY(control->isVisible());
        QCOMPARE(control->parentWidget()->objectName(), parent);

        if (kind == QLatin1String("label")) {
            auto *label = qobject_cast<QLabel *>(control);
            QVERIFY(label);
            QCOMPARE(label->text(), text);
            QVERIFY(label->width() >= label->sizeHint().width());
        } else if (kind.startsWith(QLatin1String("edit"))) {
            auto *edit = qobject_cast<QLineEdit *>(control);
            QVERIFY(edit);
            QCOMPARE(edit->text(), text);
            const bool right = kind.endsWith(QLatin1Char('>'));
            QCOMPARE(bool(edit->alignment() & Qt::AlignRight), right);
        } else if (kind == QLatin1String("button")) {
            auto *button = qobject_cast<QPushButton *>(control);
            QVERIFY(button);
            QCOMPARE(button->text(), text);
        } else if (kind == QLatin1String("panel")) {
            auto *panel = qobject_cast<Panel *>(control);
            QVERIFY(panel);
            QCOMPARE(panel->caption(), text);
        } else if (kind == QLatin1String("grid")) {
            QVERIFY(qobject_cast<QTableView *>(control));
        } else if (kind == QLatin1String("chart")) {
            QVERIFY(qobject_cast<QChartView *>(control));
        } else if (kind == QLatin1String("memo")) {
            auto *memo = qobject_cast<QPlainTextEdit *>(control);
            QVERIFY(memo);
            QVERIFY(!memo->isReadOnly());
            QCOMPARE(memo->toPlainText(), text);
        } else if (kind == QLatin1String("pages")) {
            QVERIFY(qobject_cast<QTabWidget *>(control));
        } else if (kind == QLatin1String("web")) {
            QVERIFY(control->inherits("WebView"));
        } else {
            QFAIL("unknown kind in the table");
        }

        QCOMPARE(control->pos(), place.topLeft());
        if (place.width() >= 0)
            QCOMPARE(control->width(), place.width());
        if (place.height() >= 0)
            QCOMPARE(control->height(), place.height());
    }

    // A label takes the size of a new text, also while its page is hidden.
    void labelsTakeTheSizeOfANewText()
    {
        ShownWindow shown;
        shown.window.a00gdL->setText(QStringLiteral("[Enter]:新規入力へ [F3]:行修正へ"));
        shown.window.e103fmL->setText(QStringLiteral("a113cvE_and_more"));
        QCoreApplication::processEvents();
        QCOMPARE(shown.window.a00gdL->size(), shown.window.a00gdL->sizeHint());
        QCOMPARE(shown.window.a00gdL->pos(), QPoint(16, 8));
        shown.showPage(shown.window.ets);
        QCOMPARE(shown.window.e103fmL->size(), shown.window.e103fmL->sizeHint());
    }

    void focusOrderByTab_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("ats") << QStringLiteral("ats")
                             << QStringList{"a102knE", "adg", "a106dyE", "a107dmE", "a108ddE",
                                            "a109hhE", "a110hmE", "a111rvE", "a112evE", "a113cvE",
                                            "a114rgB", "a203cwB", "a204crB", "a202Mem"};
        QTest::newRow("bts") << QStringLiteral("bts") << QStringList{"b103fnE", "bdg", "b105cvrB"};
        QTest::newRow("cts") << QStringLiteral("cts") << QStringList{"c11gpB", "c13rtB"};
        QTest::newRow("dts") << QStringLiteral("dts") << QStringList{"d1G", "d2G"};
        QTest::newRow("ets") << QStringLiteral("ets") << QStringList{"e102agB"};
    }

    void focusOrderByTab()
    {
        QFETCH(QString, page);
        QFETCH(QStringList, order);
        ShownWindow shown;
        QVERIFY(QTest::qWaitForWindowActive(&shown.window));
        shown.showPage(shown.control(page));

        const QStringList expected = QStringList{"pc"} + order + QStringList{"A00BB"};
        shown.window.A00BB->setFocus(Qt::OtherFocusReason);
        QCOMPARE(shown.focusName(), QStringLiteral("A00BB"));
        for (const QString &name : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(shown.focusName(), name);
        }
        // And back the other way.
        for (auto it = expected.rbegin() + 1; it != expected.rend(); ++it) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            QCOMPARE(shown.focusName(), *it);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(shown.focusName(), QStringLiteral("A00BB"));
    }

    // The active tab's caption is red, the others black, each written from
    // the tab's left + 6 and top + 3 on the tab bar's background.
    void theActiveTabsCaptionIsRed()
    {
        ShownWindow shown;
        QVERIFY(QTest::qWaitForWindowExposed(&shown.window));
        QTabBar *tabs = shown.window.pc->tabBar();
        const QColor face = tabs->palette().color(tabs->backgroundRole());
        QVERIFY(face != QColor(Qt::black) && face != QColor(Qt::red));

        auto check = [&](int active) {
            const QImage image = tabs->grab().toImage();
            for (int i = 0; i < tabs->count(); ++i) {
                const QRect rect = tabs->tabRect(i);
                const Ink red = inkOf(image, rect, qRgb(255, 0, 0));
                const Ink black = inkOf(image, rect, qRgb(0, 0, 0));
                const QString where = QStringLiteral("tab %1 with %2 active").arg(i).arg(active);
                if (i == active) {
                    QVERIFY2(red.count > 20, qPrintable(where));
                    QVERIFY2(black.count == 0, qPrintable(where));
                    QVERIFY2(red.box.left() >= rect.left() + 6 && red.box.left() <= rect.left() + 9,
                             qPrintable(where));
                    QVERIFY2(red.box.top() >= rect.top() + 3 && red.box.top() <= rect.top() + 7,
                             qPrintable(where));
                } else {
                    QVERIFY2(black.count > 20, qPrintable(where));
                    QVERIFY2(red.count == 0, qPrintable(where));
                    QVERIFY2(black.box.left() >= rect.left() + 6 && black.box.left() <= rect.left() + 9,
                             qPrintable(where));
                }
                // The rectangle is filled with the background handed over.
                QCOMPARE(QColor(image.pixel(rect.left() + 2, rect.bottom() - 1)), face);
            }
        };
        check(0);
        QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, tabs->tabRect(2).center());
        QCOMPARE(shown.window.pc->currentWidget(), shown.window.cts);
        check(2);
    }

    // Access keys work on the buttons that are shown; the close button at
    // any time.
    void accessKeys_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("pressed");
        QTest::newRow("Alt+R on the indicator page") << "ats" << int(Qt::Key_R) << "a114rgB";
        QTest::newRow("Alt+R on the price page") << "bts" << int(Qt::Key_R) << "b105cvrB";
        QTest::newRow("Alt+R on the chart page") << "cts" << int(Qt::Key_R) << "";
        QTest::newRow("Alt+W on the indicator page") << "ats" << int(Qt::Key_W) << "a203cwB";
        QTest::newRow("Alt+W on the table page") << "dts" << int(Qt::Key_W) << "";
        QTest::newRow("Alt+C on the indicator page") << "ats" << int(Qt::Key_C) << "A00BB";
        QTest::newRow("Alt+C on the browser page") << "ets" << int(Qt::Key_C) << "A00BB";
    }

    void accessKeys()
    {
        QFETCH(QString, page);
        QFETCH(int, key);
        QFETCH(QString, pressed);
        ShownWindow shown;
        QVERIFY(QTest::qWaitForWindowActive(&shown.window));
        shown.boxes.answerNext(false); // a button that asks first is told No
        shown.showPage(shown.control(page));

        const QStringList buttons = {"a114rgB", "b105cvrB", "a203cwB", "A00BB"};
        std::vector<std::unique_ptr<QSignalSpy>> spies;
        for (const QString &name : buttons)
            spies.push_back(std::make_unique<QSignalSpy>(shown.control<QPushButton>(name),
                                                         &QPushButton::pressed));

        // The click handlers run without a database here and may stop with an
        // error; what is counted is the press that comes before the click.
        QTest::keyClick(&shown.window, Qt::Key(key), Qt::AltModifier);
        QTest::qWait(250); // the click follows once the button has shown itself down
        for (int i = 0; i < buttons.size(); ++i)
            QVERIFY2(spies[i]->count() == (buttons[i] == pressed ? 1 : 0), qPrintable(buttons[i]));
        QCOMPARE(shown.window.isVisible(), pressed != QLatin1String("A00BB"));
    }

    // Enlarging the window: what fills or runs along an edge follows it,
    // everything else keeps its place and size.
    void resizingTheWindow()
    {
        ShownWindow shown;
        QVERIFY(QTest::qWaitForWindowExposed(&shown.window));
        const int dw = 300, dh = 200;

        struct Follow {
            const char *name;
            bool width;
            bool height;
            bool down; // runs along the bottom
        };
        const Follow follows[] = {
            {"A00P", true, false, true},  {"A00BB", false, false, false},
            {"a00gdL", false, false, false}, {"pc", true, true, false},
            {"a1P", false, true, false},  {"a2P", true, true, false},
            {"a201P", true, false, false}, {"a202Mem", true, true, false},
            {"adg", false, false, false}, {"a102knE", false, false, false},
            {"a114rgB", false, false, false}, {"a203cwB", false, false, false},
            {"b101P", false, true, false}, {"b201P", true, true, false},
            {"bdg", false, false, false}, {"b105cvrB", false, false, false},
            {"c1P", true, false, false},  {"c2P", true, true, false},
            {"c02cht", true, false, false}, {"c03cht", false, false, false},
            {"c11gpB", false, false, false}, {"d1P", true, false, false},
            {"d2P", true, true, false},   {"d1G", false, false, false},
            {"d2G", false, false, false}, {"e1P", true, false, false},
            {"e2P", true, true, false},   {"e201EB", true, true, false},
            {"e102agB", false, false, false},
        };

        std::map<QString, QRect> before;
        for (const Follow &f : follows) {
            QWidget *control = shown.control(QString::fromLatin1(f.name));
            QVERIFY2(control, f.name);
            shown.showPageOf(control);
            before[f.name] = control->geometry();
        }

        shown.window.resize(904 + dw, 641 + dh);
        QCoreApplication::processEvents();
        for (const Follow &f : follows) {
            QWidget *control = shown.control(QString::fromLatin1(f.name));
            shown.showPageOf(control);
            const QRect was = before[f.name];
            const QRect expected(was.left(), was.top() + (f.down ? dh : 0),
                                 was.width() + (f.width ? dw : 0), was.height() + (f.height ? dh : 0));
            QVERIFY2(control->geometry() == expected,
                     qPrintable(QStringLiteral("%1: %2,%3 %4x%5")
                                    .arg(f.name)
                                    .arg(control->x())
                                    .arg(control->y())
                                    .arg(control->width())
                                    .arg(control->height())));
        }
    }
};

KEIZAI_TEST_MAIN(TestWindow)
#include "tst_window.moc"
