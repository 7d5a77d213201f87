// The keyboard entry flow of the entry panel: guidance, highlighting and
// defaults on entry, and the keys of the name field, the eight entry fields
// and the values grid.
#include "LocalDate.h"
#include "Stepping.h"
#include "app/DataGrid.h"
#include "app/VostrelF.h"
#include "store/Tdm.h"
#include "web/WebView.h"
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>

namespace {

const QColor kFocusBlue(0, 0, 255);

bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

void setBackground(QLineEdit *field, const QColor &colour)
{
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, colour);
    field->setPalette(palette);
}

} // namespace

// ---------------------------------------------------------------- common steps

// The field turns blue and shows its guidance first; its default is read
// only when the field is empty, so a default that cannot be read (the value
// list closed) leaves the field entered all the same.
void TVostrelF::enterField(QLineEdit *field, const QString &guidance, const std::function<QString()> &defaultText)
{
    a00gdL->setText(guidance);
    setBackground(field, kFocusBlue);
    if (field->text().isEmpty() && defaultText)
        field->setText(defaultText());
}

void TVostrelF::exitField(QLineEdit *field)
{
    a00gdL->clear();
    setBackground(field, QApplication::palette(field).color(QPalette::Base));
}

void TVostrelF::entryFieldKeyDown(QLineEdit *field, int &Key, Stepper stepper)
{
    if (isEnter(Key)) {
        focusNextPrevChild(true);
    } else if (Key == Qt::Key_Escape) {
        focusNextPrevChild(false);
    } else if (Key == Qt::Key_F12) {
        e103fmL->setText(field->objectName());
        pc->setCurrentWidget(ets);
    } else if (stepper && (Key == Qt::Key_Up || Key == Qt::Key_Down || Key == Qt::Key_Right)) {
        QString text = field->text();
        stepper(text, Key); // a conversion error leaves the field as it was
        field->setText(text);
    } else {
        return; // the field's ordinary handling
    }
    Key = 0;
}

// Up goes back in the list and Down forward, each wrapping round.
void TVostrelF::chooseIndicator(bool forward)
{
    Dataset &qe1 = *dm().qe1;
    if (forward) {
        qe1.next();
        if (qe1.eof())
            qe1.first();
    } else {
        qe1.prior();
        if (qe1.bof())
            qe1.last();
    }
    a102knE->setText(qe1.text(QStringLiteral("RYAK")));
    a118iidL->setText(qe1.text(QStringLiteral("IID")));
    uqe2(1);
}

void TVostrelF::confirmIndicator()
{
    const QString url = dm().qe1->text(QStringLiteral("URL"));
    uda(2);
    e201EB->navigate(url);
    if (a118iidL->text() == QLatin1String("9"))
        pc->setCurrentWidget(ets);
    else
        a106dyE->setFocus();
}

// ---------------------------------------------------------------- name field

void TVostrelF::a102knEEnter(QObject *)
{
    enterField(a102knE, QStringLiteral(" ↓↑:指標変更 [Enter]:選択 "));
}

void TVostrelF::a102knEExit(QObject *) { exitField(a102knE); }

void TVostrelF::a102knEKeyDown(QObject *, int &Key, Qt::KeyboardModifiers)
{
    if (isEnter(Key))
        confirmIndicator();
    else if (Key == Qt::Key_Escape)
        pc->setFocus();
    else if (Key == Qt::Key_Up)
        chooseIndicator(false);
    else if (Key == Qt::Key_Down)
        chooseIndicator(true);
    else
        return;
    Key = 0;
}

// ---------------------------------------------------------------- entry fields

void TVostrelF::a106dyEEnter(QObject *)
{
    enterField(a106dyE, QStringLiteral("年の入力"), [] { return LocalDate::today().mid(0, 4); });
}

void TVostrelF::a107dmEEnter(QObject *)
{
    enterField(a107dmE, QStringLiteral("月の入力"), [] { return LocalDate::today().mid(5, 2); });
}

void TVostrelF::a108ddEEnter(QObject *)
{
    enterField(a108ddE, QStringLiteral("日の入力"), [] { return QStringLiteral("01"); });
}

void TVostrelF::a109hhEEnter(QObject *)
{
    enterField(a109hhE, QStringLiteral("時間の入力"), [this] { return dm().qe2->text(QStringLiteral("HH")); });
}

void TVostrelF::a110hmEEnter(QObject *)
{
    enterField(a110hmE, QStringLiteral("分の入力"), [this] { return dm().qe2->text(QStringLiteral("HM")); });
}

void TVostrelF::a111rvEEnter(QObject *) { enterField(a111rvE, QStringLiteral("結果値の入力")); }
void TVostrelF::a112evEEnter(QObject *) { enterField(a112evE, QStringLiteral("期待値の入力")); }
void TVostrelF::a113cvEEnter(QObject *) { enterField(a113cvE, QStringLiteral("補正値の入力")); }

void TVostrelF::a106dyEExit(QObject *) { exitField(a106dyE); }

// The month is padded to two characters when it is left.
void TVostrelF::a107dmEExit(QObject *)
{
    exitField(a107dmE);
    if (a107dmE->text().size() < 2)
        a107dmE->setText(QStringLiteral("0") + a107dmE->text());
}

void TVostrelF::a108ddEExit(QObject *) { exitField(a108ddE); }
void TVostrelF::a109hhEExit(QObject *) { exitField(a109hhE); }
void TVostrelF::a110hmEExit(QObject *) { exitField(a110hmE); }
void TVostrelF::a111rvEExit(QObject *) { exitField(a111rvE); }
void TVostrelF::a112evEExit(QObject *) { exitField(a112evE); }
void TVostrelF::a113cvEExit(QObject *) { exitField(a113cvE); }

void TVostrelF::a106dyEKeyDown(QObject *, int &Key, Qt::KeyboardModifiers) { entryFieldKeyDown(a106dyE, Key); }
void TVostrelF::a107dmEKeyDown(QObject *, int &Key, Qt::KeyboardModifiers) { entryFieldKeyDown(a107dmE, Key, ucMM); }
void TVostrelF::a108ddEKeyDown(QObject *, int &Key, Qt::KeyboardModifiers) { entryFieldKeyDown(a108ddE, Key, ucDD); }
void TVostrelF::a109hhEKeyDown(QObject *, int &Key, Qt::KeyboardModifiers) { entryFieldKeyDown(a109hhE, Key); }
void TVostrelF::a110hmEKeyDown(QObject *, int &Key, Qt::KeyboardModifiers) { entryFieldKeyDown(a110hmE, Key); }
void TVostrelF::a111rvEKeyDown(QObject *, int &Key, Qt::KeyboardModifiers) { entryFieldKeyDown(a111rvE, Key); }
void TVostrelF::a112evEKeyDown(QObject *, int &Key, Qt::KeyboardModifiers) { entryFieldKeyDown(a112evE, Key); }
void TVostrelF::a113cvEKeyDown(QObject *, int &Key, Qt::KeyboardModifiers) { entryFieldKeyDown(a113cvE, Key); }

// ---------------------------------------------------------------- values grid

void TVostrelF::adgEnter(QObject *)
{
    a00gdL->setText(QStringLiteral("[Enter]:新規入力へ [F3]:行修正へ"));
    a202Mem->clear();
    a202Mem->appendPlainText(QStringLiteral("数字を修正したら↓↑で他行に移って修正を確定してください"));
    a202Mem->appendPlainText(QStringLiteral("小数点は入れないでください"));
    a202Mem->appendPlainText(QStringLiteral("[Ctrl]+[Del]:行削除"));
}

void TVostrelF::adgExit(QObject *)
{
    a00gdL->clear();
    a202Mem->clear();
}

void TVostrelF::adgKeyDown(QObject *, int &Key, Qt::KeyboardModifiers)
{
    if (isEnter(Key)) {
        uda(2);
        a106dyE->setFocus();
    } else if (Key == Qt::Key_F3) {
        uda(3);
        a106dyE->setFocus();
    } else if (Key == Qt::Key_Escape) {
        a102knE->setFocus(); // the grid's own Esc follows and discards a change
        return;
    } else {
        return;
    }
    Key = 0;
}
