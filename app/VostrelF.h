#pragma once
#include "ActivationReturn.h"
#include "FieldMap.h"
#include "store/StoreRoutines.h"
#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QChartView;
class DataGrid;
class ImportProgress;
class ImportReport;
class LinkedCharts;
class PageTabBar;
class ReactionDialog;
class Panel;
class QRect;
class WebView;

// The main window and the owner of every routine and working field.
//
// Its routines are defined in the folder of their subsystem: the layout and
// start-up in app/, the indicator routines and the keyboard flow in
// indicators/, and so on.
class TVostrelF : public QWidget, public StoreRoutines {
    Q_OBJECT
public:
    explicit TVostrelF(QWidget *parent = nullptr);
    ~TVostrelF() override;

    // Gives the routines the data module and binds the grids to its data
    // sources.
    void bindDataModule(Tdm *dataModule);

    // Runs one handler; an error it raises is shown in the general error
    // box and ends it there. False when it ended so.
    bool runHandler(const std::function<void()> &handler);

    // ---- start-up
    void FormActivate(QObject *Sender);

    // ---- page control: draws one tab on the tab row's canvas
    void pcDrawTab(PageTabBar *Control, int TabIndex, const QRect &Rect, bool Active);

    // ---- indicator list, values and entry panel
    void uqe1(int id);
    void uqe2(int id);
    void uda(int id);
    void a114rgBClick(QObject *Sender);
    void a114rgBKeyDown(QObject *Sender, int &Key, Qt::KeyboardModifiers Shift);

    // ---- keyboard entry flow
    void a102knEEnter(QObject *Sender);
    void a102knEExit(QObject *Sender);
    void a102knEKeyDown(QObject *Sender, int &Key, Qt::KeyboardModifiers Shift);
    void a106dyEEnter(QObject *Sender);
    void a106dyEExit(QObject *Sender);
    void a106dyEKeyDown(QObject *Sender, int &Key, Qt::KeyboardModifiers Shift);
    void a107dmEEnter(QObject *Sender);
    void a107dmEExit(QObject *Sender);
    void a107dmEKeyDown(QObject *Sender, int &Key, Qt::KeyboardModifiers Shift);
    void a108ddEEnter(QObject *Sender);
    void a108ddEExit(QObject *Sender);
    void a108ddEKeyDown(QObject *Sender, int &Key, Qt::KeyboardModifiers Shift);
    void a109hhEEnter(QObject *Sender);
    void a109hhEExit(QObject *Sender);
    void a109hhEKeyDown(QObject *Sender, int &Key, Qt::KeyboardModifiers Shift);
    void a110hmEEnter(QObject *Sender);
    void a110hmEExit(QObject *Sender);
    void a110hmEKeyDown(QObject *Sender, int &Key, Qt::KeyboardModifiers Shift);
    void a111rvEEnter(QObject *Sender);
    void a111rvEExit(QObject *Sender);
    void a111rvEKeyDown(QObject *Sender, int &Key, Qt::KeyboardModifiers Shift);
    void a112evEEnter(QObject *Sender);
    void a112evEExit(QObject *Sender);
    void a112evEKeyDown(QObject *Sender, int &Key, Qt::KeyboardModifiers Shift);
    void a113cvEEnter(QObject *Sender);
    void a113cvEExit(QObject *Sender);
    void a113cvEKeyDown(QObject *Sender, int &Key, Qt::KeyboardModifiers Shift);
    void adgEnter(QObject *Sender);
    void adgExit(QObject *Sender);
    void adgKeyDown(QObject *Sender, int &Key, Qt::KeyboardModifiers Shift);

    // ---- FX list and prices
    void uqf1(int id);
    void uqf2(int id);
    void udb(int id);
    void createPriceIndex();
    void b103fnEKeyDown(QObject *Sender, int &Key, Qt::KeyboardModifiers Shift);

    // ---- value files (1 writes, 2 reads back) and FX price files (3)
    void uqCsv(int id);

    // ---- buttons of later subsystems
    void a203cwBClick(QObject *Sender);
    void a204crBClick(QObject *Sender);
    void b105cvrBClick(QObject *Sender);
    void c11gpBClick(QObject *Sender);
    void c13rtBClick(QObject *Sender);

    // ---- chart
    void udChart();
    // The reaction table of the current indicator against the current FX instrument.
    void udReaction();
    void e102agBClick(QObject *Sender);

    // ---- browser page
    void uqWeb(int id);

    // ---- bottom bar
    Panel *A00P = nullptr;
    QLabel *a00gdL = nullptr;
    QPushButton *A00BB = nullptr;

    // ---- page control and pages
    QTabWidget *pc = nullptr;
    QWidget *ats = nullptr;
    QWidget *bts = nullptr;
    QWidget *cts = nullptr;
    QWidget *dts = nullptr;
    QWidget *ets = nullptr;

    // ---- indicator page
    Panel *a1P = nullptr;
    QLabel *a101gdL = nullptr;
    QLabel *a102knL = nullptr;
    QLineEdit *a102knE = nullptr;
    QLabel *a103gdL = nullptr;
    QLabel *a118iidL = nullptr;
    QLabel *a104gdL = nullptr;
    DataGrid *adg = nullptr;
    QLabel *a105modL = nullptr;
    QLabel *a117cnL = nullptr;
    QLabel *a106dyL = nullptr;
    QLabel *a107dmL = nullptr;
    QLabel *a108ddL = nullptr;
    QLabel *a109hhL = nullptr;
    QLabel *a110hmL = nullptr;
    QLineEdit *a106dyE = nullptr;
    QLineEdit *a107dmE = nullptr;
    QLineEdit *a108ddE = nullptr;
    QLineEdit *a109hhE = nullptr;
    QLineEdit *a110hmE = nullptr;
    QLabel *a119gd3L = nullptr;
    QLabel *a115gd1L = nullptr;
    QLabel *a116gd2L = nullptr;
    QLabel *a111rvL = nullptr;
    QLabel *a112evL = nullptr;
    QLabel *a113cvL = nullptr;
    QLineEdit *a111rvE = nullptr;
    QLineEdit *a112evE = nullptr;
    QLineEdit *a113cvE = nullptr;
    QPushButton *a114rgB = nullptr;
    Panel *a2P = nullptr;
    Panel *a201P = nullptr;
    QLabel *a203cwL = nullptr;
    QPushButton *a203cwB = nullptr;
    QLabel *a204crL = nullptr;
    QPushButton *a204crB = nullptr;
    QPlainTextEdit *a202Mem = nullptr;

    // ---- price page
    Panel *b101P = nullptr;
    Panel *b201P = nullptr;
    QLabel *b102ttlL = nullptr;
    QLabel *b103fnL = nullptr;
    QLineEdit *b103fnE = nullptr;
    QLabel *b104gdL = nullptr;
    QPushButton *b105cvrB = nullptr;
    DataGrid *bdg = nullptr;

    // ---- chart page
    Panel *c1P = nullptr;
    Panel *c2P = nullptr;
    QLabel *c12gdL = nullptr;
    QPushButton *c11gpB = nullptr;
    QPushButton *c13rtB = nullptr;
    QChartView *c02cht = nullptr;
    QChartView *c03cht = nullptr;

    // ---- table page
    Panel *d1P = nullptr;
    Panel *d2P = nullptr;
    QLabel *d11ttlL = nullptr;
    DataGrid *d1G = nullptr;
    QLabel *d21ttlL = nullptr;
    DataGrid *d2G = nullptr;

    // ---- browser page
    Panel *e1P = nullptr;
    Panel *e2P = nullptr;
    QLabel *e101gdL = nullptr;
    QLabel *e103fmL = nullptr;
    QPushButton *e102agB = nullptr;
    WebView *e201EB = nullptr;

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // New mode with the value fields empty; the date and time stay.
    void newModeWithoutValues();
    // The panel fields of a release's columns of the kinds given: filled
    // from the current row of qe2, cleared, or copied into their slots.
    void showRelease(std::initializer_list<FieldMap::Entry> kinds);
    void clearRelease(std::initializer_list<FieldMap::Entry> kinds);
    void fillReleaseSlots();
    using FocusHandler = void (TVostrelF::*)(QObject *);
    using KeyHandler = void (TVostrelF::*)(QObject *, int &, Qt::KeyboardModifiers);
    struct ControlHandlers {
        QWidget *control;
        FocusHandler enter;
        FocusHandler exit;
        KeyHandler keyDown;
    };

    void buildLayout();
    void connectHandlers();

    // The value files' two directions, after the common first steps.
    void writeValueFiles(const QString &folder);
    int writeEveryValueFile(const QString &folder, ImportProgress &progress);
    void readValueFiles(const QString &folder);
    bool replaceValues(const QString &folder, ImportProgress &progress, ImportReport &report);
    bool storeValueRow(PreparedInsert &insert);
    void readPriceFiles();

    // The keyboard entry flow's common steps.
    using Stepper = void (*)(QString &, int);
    void enterField(QLineEdit *field, const QString &guidance, const std::function<QString()> &defaultText = {});
    void exitField(QLineEdit *field);
    void entryFieldKeyDown(QLineEdit *field, int &Key, Stepper stepper = nullptr);
    void chooseIndicator(bool forward);
    void confirmIndicator();
    void onHandlers(QWidget *control, FocusHandler enter, FocusHandler exit, KeyHandler keyDown);
    const ControlHandlers *handlersOf(QWidget *control) const;
    QWidget *focusOwner(QWidget *widget) const;
    void focusMoved(QWidget *now);

    LinkedCharts *chartLinks_ = nullptr;
    QPointer<ReactionDialog> reaction_; // made at the first opening
    std::vector<ControlHandlers> handlers_;
    QPointer<QWidget> focusOwner_;
    // The application's focus signal outlives the window: cut before the widget parts go.
    QMetaObject::Connection focusWatch_;
    ActivationReturn activations_;
    QMetaObject::Connection windowWatch_;
};
