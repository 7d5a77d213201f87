#include "VostrelF.h"
#include "Application.h"
#include "DataGrid.h"
#include "Panel.h"
#include "fx/LinkedCharts.h"
#include "store/Tdm.h"
#include <QApplication>
#include <QChartView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QWindow>

TVostrelF::TVostrelF(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("VostrelF"));
    buildLayout();
    chartLinks_ = new LinkedCharts(c02cht, c03cht, this);
    connectHandlers();
}

// The window's one error boundary: every handler of the window, and the
// grids' own key and mouse handling, runs through here. An error a handler
// raises ends that handler in the general error box, and the next event is
// handled as usual; nothing travels through Qt's event dispatch.
bool TVostrelF::runHandler(const std::function<void()> &handler)
{
    try {
        handler();
        return true;
    } catch (...) {
        Application::showEscapedError();
        return false;
    }
}

TVostrelF::~TVostrelF()
{
    disconnect(focusWatch_);
    disconnect(windowWatch_);
}

void TVostrelF::bindDataModule(Tdm *dataModule)
{
    StoreRoutines::setDataModule(dataModule);
    adg->setDataSource(dataModule->dse2);
    bdg->setDataSource(dataModule->dsf2);
    d1G->setDataSource(dataModule->dsf1);
    d2G->setDataSource(dataModule->dse1);
}

// Every control's handlers, by the control's name.
void TVostrelF::connectHandlers()
{
    auto click = [this](QPushButton *button, void (TVostrelF::*handler)(QObject *)) {
        connect(button, &QPushButton::clicked, this,
                [this, button, handler] { runHandler([&] { (this->*handler)(button); }); });
    };
    // Enter presses the focused button, as the toolkit's buttons always do.
    for (QPushButton *button : findChildren<QPushButton *>())
        button->setAutoDefault(true);
    connect(A00BB, &QPushButton::clicked, this, &QWidget::close);
    click(a114rgB, &TVostrelF::a114rgBClick);
    click(a203cwB, &TVostrelF::a203cwBClick);
    click(a204crB, &TVostrelF::a204crBClick);
    click(b105cvrB, &TVostrelF::b105cvrBClick);
    click(c11gpB, &TVostrelF::c11gpBClick);
    click(c13rtB, &TVostrelF::c13rtBClick);
    click(e102agB, &TVostrelF::e102agBClick);

    onHandlers(a102knE, &TVostrelF::a102knEEnter, &TVostrelF::a102knEExit, &TVostrelF::a102knEKeyDown);
    onHandlers(a106dyE, &TVostrelF::a106dyEEnter, &TVostrelF::a106dyEExit, &TVostrelF::a106dyEKeyDown);
    onHandlers(a107dmE, &TVostrelF::a107dmEEnter, &TVostrelF::a107dmEExit, &TVostrelF::a107dmEKeyDown);
    onHandlers(a108ddE, &TVostrelF::a108ddEEnter, &TVostrelF::a108ddEExit, &TVostrelF::a108ddEKeyDown);
    onHandlers(a109hhE, &TVostrelF::a109hhEEnter, &TVostrelF::a109hhEExit, &TVostrelF::a109hhEKeyDown);
    onHandlers(a110hmE, &TVostrelF::a110hmEEnter, &TVostrelF::a110hmEExit, &TVostrelF::a110hmEKeyDown);
    onHandlers(a111rvE, &TVostrelF::a111rvEEnter, &TVostrelF::a111rvEExit, &TVostrelF::a111rvEKeyDown);
    onHandlers(a112evE, &TVostrelF::a112evEEnter, &TVostrelF::a112evEExit, &TVostrelF::a112evEKeyDown);
    onHandlers(a113cvE, &TVostrelF::a113cvEEnter, &TVostrelF::a113cvEExit, &TVostrelF::a113cvEKeyDown);
    onHandlers(adg, &TVostrelF::adgEnter, &TVostrelF::adgExit, &TVostrelF::adgKeyDown);
    onHandlers(a114rgB, nullptr, nullptr, &TVostrelF::a114rgBKeyDown);
    onHandlers(b103fnE, nullptr, nullptr, &TVostrelF::b103fnEKeyDown);

    focusWatch_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { focusMoved(now); });
    windowWatch_ = connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow *now) {
        using Window = ActivationReturn::Window;
        activations_.focusMoved(!now                               ? Window::None
                                : now == windowHandle()            ? Window::Main
                                : now->modality() != Qt::NonModal ? Window::OwnBox
                                                                   : Window::Other);
    });

    for (DataGrid *grid : {adg, bdg, d1G, d2G})
        grid->setHandlerBoundary([this](const std::function<void()> &handler) { return runHandler(handler); });
}

void TVostrelF::onHandlers(QWidget *control, FocusHandler enter, FocusHandler exit, KeyHandler keyDown)
{
    handlers_.push_back({control, enter, exit, keyDown});
    if (keyDown)
        control->installEventFilter(this);
}

const TVostrelF::ControlHandlers *TVostrelF::handlersOf(QWidget *control) const
{
    for (const ControlHandlers &h : handlers_)
        if (h.control == control)
            return &h;
    return nullptr;
}

// The control that owns the focus: a control with handlers when the widget
// lies inside it (a grid's cell editor belongs to its grid), else the widget.
QWidget *TVostrelF::focusOwner(QWidget *widget) const
{
    for (const ControlHandlers &h : handlers_)
        if (h.control == widget || h.control->isAncestorOf(widget))
            return h.control;
    return widget;
}

// Entry and exit handlers run when the focus moves between controls of this
// window. A modal box taking the focus for a while, or another program being
// activated, is no exit: the control still has the focus when we come back.
void TVostrelF::focusMoved(QWidget *now)
{
    if (!now || now->window() != this)
        return;
    QWidget *owner = focusOwner(now);
    if (owner == focusOwner_)
        return;
    QPointer<QWidget> previous = focusOwner_;
    focusOwner_ = owner;
    if (previous) {
        if (const ControlHandlers *h = handlersOf(previous); h && h->exit)
            runHandler([&] { (this->*h->exit)(previous); });
    }
    if (const ControlHandlers *h = handlersOf(owner); h && h->enter)
        runHandler([&] { (this->*h->enter)(owner); });
}

bool TVostrelF::event(QEvent *event)
{
    const bool result = QWidget::event(event);
    // The start runs again when the user comes back from another program
    // (having mended the file, say), not when one of the program's own boxes
    // closes: a failing start would otherwise show its box for ever.
    if (event->type() == QEvent::WindowActivate && activations_.isReturnOfTheUser())
        runHandler([this] { FormActivate(this); });
    return result;
}

bool TVostrelF::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        if (const ControlHandlers *h = handlersOf(qobject_cast<QWidget *>(watched)); h && h->keyDown) {
            auto *keyEvent = static_cast<QKeyEvent *>(event);
            int key = keyEvent->key();
            if (!runHandler([&] { (this->*h->keyDown)(watched, key, keyEvent->modifiers()); }))
                return true; // the error ended the key
            if (key == 0)
                return true; // the handler took the key
        }
    }
    return QWidget::eventFilter(watched, event);
}
