// The window's controls, page by page, with their names, texts and places.
#include "DataGrid.h"
#include "Fonts.h"
#include "PageControl.h"
#include "Panel.h"
#include "VostrelF.h"
#include "web/WebView.h"
#include <QBoxLayout>
#include <QChartView>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

namespace {

constexpr int kEditHeight = 31;

// Labels stand at a fixed place and take the size of their text, whenever
// the text changes. A label's new text asks its parent for a new layout; the
// parent's labels are then sized again.
class LabelSizer : public QObject {
public:
    using QObject::QObject;

    void watch(QWidget *parent)
    {
        if (!watched_.contains(parent)) {
            watched_ << parent;
            parent->installEventFilter(this);
        }
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Show) {
            for (QLabel *control : watched->findChildren<QLabel *>(Qt::FindDirectChildrenOnly))
                control->adjustSize();
        }
        return false;
    }

private:
    QList<QObject *> watched_;
};

QLabel *label(const char *name, const QString &text, QWidget *parent, int left, int top)
{
    auto *control = new QLabel(text, parent);
    control->setObjectName(QString::fromLatin1(name));
    control->move(left, top);
    control->adjustSize();
    return control;
}

QLineEdit *edit(const char *name, QWidget *parent, int left, int top, int width,
                bool rightAligned = false)
{
    auto *control = new QLineEdit(parent);
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(left, top, width, kEditHeight);
    if (rightAligned)
        control->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return control;
}

QPushButton *button(const char *name, const QString &text, QWidget *parent, int left, int top,
                    int width, int height)
{
    auto *control = new QPushButton(text, parent);
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(left, top, width, height);
    return control;
}

Panel *panel(const char *name, QWidget *parent)
{
    auto *control = new Panel(QString::fromLatin1(name), parent);
    control->setFrameStyle(QFrame::Panel | QFrame::Raised);
    control->setLineWidth(1);
    return control;
}

DataGrid *grid(const char *name, QWidget *parent, int left, int top, int width, int height)
{
    auto *control = new DataGrid(QString::fromLatin1(name), parent);
    control->setGeometry(left, top, width, height);
    return control;
}

QChartView *chart(const char *name, QWidget *parent)
{
    auto *control = new QChartView(parent);
    control->setObjectName(QString::fromLatin1(name));
    control->setFocusPolicy(Qt::NoFocus); // not in the tab order
    control->viewport()->setFocusPolicy(Qt::NoFocus);
    return control;
}

QWidget *page(const char *name)
{
    auto *control = new QWidget;
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

// A fixed-size panel along one side and one that fills the rest.
void split(QWidget *page, QBoxLayout::Direction direction, QWidget *fixed, int size, QWidget *rest)
{
    auto *layout = new QBoxLayout(direction, page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    if (direction == QBoxLayout::LeftToRight)
        fixed->setFixedWidth(size);
    else
        fixed->setFixedHeight(size);
    layout->addWidget(fixed);
    layout->addWidget(rest, 1);
}

void fill(QWidget *parent, QWidget *child)
{
    auto *layout = new QVBoxLayout(parent);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(child);
}

} // namespace

void TVostrelF::buildLayout()
{
    setWindowTitle(QStringLiteral("経済指標記録"));
    setFont(Fonts::windowFont()); // every control takes it unless set below

    // ---- bottom bar
    A00P = panel("A00P", this);
    A00P->setCaption(QStringLiteral("A00P"));
    A00P->setFixedHeight(50);
    a00gdL = label("a00gdL", QString(), A00P, 16, 8);
    A00BB = button("A00BB", QStringLiteral("閉じる(&C)"), A00P, 720, 6, 120, 25);
    A00BB->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));

    // ---- page control
    auto *pageControl = new PageControl(this);
    pageControl->pageTabBar()->setDrawTab(
        [this](PageTabBar *Control, int TabIndex, const QRect &Rect, bool Active) {
            pcDrawTab(Control, TabIndex, Rect, Active);
        });
    pc = pageControl;
    pc->setObjectName(QStringLiteral("pc"));
    ats = page("ats");
    bts = page("bts");
    cts = page("cts");
    dts = page("dts");
    ets = page("ets");
    pc->addTab(ats, QStringLiteral("経済指標"));
    pc->addTab(bts, QStringLiteral("価格推移"));
    pc->addTab(cts, QStringLiteral("ｸﾞﾗﾌ"));
    pc->addTab(dts, QStringLiteral("ﾃｰﾌﾞﾙ表"));
    pc->addTab(ets, QStringLiteral("ﾌﾞﾗｳｻﾞ"));

    auto *window = new QVBoxLayout(this);
    window->setContentsMargins(0, 0, 0, 0);
    window->setSpacing(0);
    window->addWidget(pc, 1);
    window->addWidget(A00P);

    // ---- indicator page
    a1P = panel("a1P", ats);
    a2P = panel("a2P", ats);
    split(ats, QBoxLayout::LeftToRight, a1P, 560, a2P);

    a101gdL = label("a101gdL", QStringLiteral("経済指標の追加修正"), a1P, 16, 8);
    a102knL = label("a102knL", QStringLiteral("経済指標名"), a1P, 16, 40);
    a102knE = edit("a102knE", a1P, 146, 38, 140);
    a103gdL = label("a103gdL", QStringLiteral("↓↑選択"), a1P, 304, 40);
    a118iidL = label("a118iidL", QString(), a1P, 456, 40);
    a104gdL = label("a104gdL", QStringLiteral("ﾘﾀｰﾝｷｰで選択決定"), a1P, 16, 72);
    adg = grid("adg", a1P, 1, 105, 550, 273);
    a105modL = label("a105modL", QStringLiteral("新規"), a1P, 16, 384);
    {
        QFont font = a105modL->font();
        font.setPixelSize(27);
        a105modL->setFont(font);
        QPalette palette = a105modL->palette();
        palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
        a105modL->setPalette(palette);
        a105modL->adjustSize();
    }
    a117cnL = label("a117cnL", QString(), a1P, 112, 384);
    a106dyL = label("a106dyL", QStringLiteral("年"), a1P, 32, 424);
    a107dmL = label("a107dmL", QStringLiteral("月"), a1P, 88, 424);
    a108ddL = label("a108ddL", QStringLiteral("日"), a1P, 128, 424);
    a109hhL = label("a109hhL", QStringLiteral("時"), a1P, 168, 424);
    a110hmL = label("a110hmL", QStringLiteral("分"), a1P, 208, 424);
    a106dyE = edit("a106dyE", a1P, 8, 448, 70, true);
    a107dmE = edit("a107dmE", a1P, 80, 448, 38, true);
    a108ddE = edit("a108ddE", a1P, 120, 448, 38, true);
    a109hhE = edit("a109hhE", a1P, 160, 448, 38, true);
    a110hmE = edit("a110hmE", a1P, 200, 448, 38, true);
    a119gd3L = label("a119gd3L", QStringLiteral("[F12]:ﾌﾞﾗｳｻﾞ参照"), a1P, 360, 416);
    a115gd1L = label("a115gd1L", QStringLiteral("[Ent]:次項目"), a1P, 360, 440);
    a116gd2L = label("a116gd2L", QStringLiteral("[Esc]:前項目"), a1P, 360, 464);
    a111rvL = label("a111rvL", QStringLiteral("結果値"), a1P, 24, 488);
    a112evL = label("a112evL", QStringLiteral("期待値"), a1P, 120, 488);
    a113cvL = label("a113cvL", QStringLiteral("補正値"), a1P, 224, 488);
    a111rvE = edit("a111rvE", a1P, 8, 520, 100, true);
    a112evE = edit("a112evE", a1P, 110, 520, 98, true);
    a113cvE = edit("a113cvE", a1P, 210, 520, 98, true);
    a114rgB = button("a114rgB", QStringLiteral("登録(&R)"), a1P, 325, 520, 120, 25);

    a201P = panel("a201P", a2P);
    a203cwL = label("a203cwL", QStringLiteral("CSVﾌｧｲﾙ書出"), a201P, 24, 16);
    a203cwB = button("a203cwB", QStringLiteral("書出(&W)"), a201P, 200, 16, 100, 25);
    a204crL = label("a204crL", QStringLiteral("CSVﾌｧｲﾙ読込"), a201P, 24, 56);
    a204crB = button("a204crB", QStringLiteral("読込(&Y)"), a201P, 200, 56, 100, 25);
    a202Mem = new QPlainTextEdit(a2P);
    a202Mem->setObjectName(QStringLiteral("a202Mem"));
    a202Mem->setTabChangesFocus(true);
    split(a2P, QBoxLayout::TopToBottom, a201P, 104, a202Mem);

    // ---- price page
    b101P = panel("b101P", bts);
    b201P = panel("b201P", bts);
    split(bts, QBoxLayout::LeftToRight, b101P, 640, b201P);
    b102ttlL = label("b102ttlL", QStringLiteral("FX等価格推移"), b101P, 16, 8);
    b103fnL = label("b103fnL", QStringLiteral("FX等表名"), b101P, 16, 40);
    b103fnE = edit("b103fnE", b101P, 128, 40, 140);
    b104gdL = label("b104gdL", QStringLiteral("↓↑選択"), b101P, 280, 40);
    b105cvrB = button("b105cvrB", QStringLiteral("CSV読込(&R)"), b101P, 464, 40, 120, 25);
    bdg = grid("bdg", b101P, 10, 77, 624, 393);

    // ---- chart page
    c1P = panel("c1P", cts);
    c2P = panel("c2P", cts);
    split(cts, QBoxLayout::TopToBottom, c1P, 50, c2P);
    c12gdL = label("c12gdL", QStringLiteral("FX価格と経済指標の関係"), c1P, 16, 8);
    c11gpB = button("c11gpB", QStringLiteral("ｸﾞﾗﾌ表示"), c1P, 720, 8, 140, 25);
    c13rtB = button("c13rtB", QStringLiteral("反応表(&T)"), c1P, 570, 8, 140, 25);
    c02cht = chart("c02cht", c2P);
    c03cht = chart("c03cht", c2P);
    c03cht->setGeometry(16, 270, 860, 240); // stays where it is: not in the layout
    {
        auto *layout = new QVBoxLayout(c2P); // c02cht runs along the top
        layout->setContentsMargins(0, 0, 0, 0);
        c02cht->setFixedHeight(270);
        layout->addWidget(c02cht);
        layout->addStretch(1);
    }

    // ---- table page
    d1P = panel("d1P", dts);
    d2P = panel("d2P", dts);
    split(dts, QBoxLayout::TopToBottom, d1P, 210, d2P);
    d11ttlL = label("d11ttlL", QStringLiteral("FXﾃｰﾌﾞﾙ表"), d1P, 16, 8);
    d1G = grid("d1G", d1P, 8, 40, 880, 152);
    d21ttlL = label("d21ttlL", QStringLiteral("経済指標表"), d2P, 8, 8);
    d2G = grid("d2G", d2P, 8, 40, 880, 280);

    // ---- browser page
    e1P = panel("e1P", ets);
    e2P = panel("e2P", ets);
    split(ets, QBoxLayout::TopToBottom, e1P, 60, e2P);
    e101gdL = label("e101gdL", QStringLiteral("ﾌﾞﾗｳｻﾞで表示"), e1P, 16, 16);
    e103fmL = label("e103fmL", QStringLiteral("e103fmL"), e1P, 552, 16);
    e102agB = button("e102agB", QStringLiteral("指標入力へ"), e1P, 704, 16, 140, 25);
    e201EB = new WebView(QStringLiteral("e201EB"), e2P);
    fill(e2P, e201EB);

    // ---- focus order: the close button, the tab row, then the shown page
    // (the controls of hidden pages are passed over), and round again.
    // The page control hands its focus to its tab row; it stands just before
    // the row, so that Tab neither stops at it elsewhere nor loops in it.
    QWidget *tabRow = pc->focusProxy();
    pc->setFocusProxy(nullptr); // else the order would put the row in its place
    const std::initializer_list<QWidget *> order = {
        A00BB,   pc,      tabRow,
        a102knE, adg,     a106dyE, a107dmE, a108ddE, a109hhE, a110hmE,
        a111rvE, a112evE, a113cvE, a114rgB, a203cwB, a204crB, a202Mem,
        b103fnE, bdg,     b105cvrB,
        c11gpB,  c13rtB,
        d1G,     d2G,
        e102agB,
    };
    for (auto it = order.begin(); it + 1 != order.end(); ++it)
        setTabOrder(*it, *(it + 1));
    pc->setFocusProxy(tabRow);

    auto *sizer = new LabelSizer(this);
    for (QLabel *control : findChildren<QLabel *>())
        if (qobject_cast<Panel *>(control->parentWidget()))
            sizer->watch(control->parentWidget());

    pc->setCurrentWidget(ats);
    setGeometry(190, 120, 904, 641);
}
