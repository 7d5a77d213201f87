// The entry panel: reset, new release, correction, and registration.
#include "app/Panel.h"
#include "app/VostrelF.h"
#include "store/Tdm.h"
#include <QLabel>
#include <QLineEdit>

namespace {
const QString kNewMode = QStringLiteral("新規");
const QString kCorrectionMode = QStringLiteral("修正");
} // namespace

void TVostrelF::uda(int id)
{
    Dataset &qe2 = *dm().qe2;
    QLineEdit *dateTime[] = {a106dyE, a107dmE, a108ddE, a109hhE, a110hmE};
    const char *dateTimeColumns[] = {"DY", "DM", "DD", "HH", "HM"};
    QLineEdit *values[] = {a111rvE, a112evE, a113cvE};
    const char *valueColumns[] = {"RV", "EV", "CV"};

    switch (id) {
    case 1: {
        A00P->setCaption(QString()); // the first activation runs once
        a00gdL->clear();
        a105modL->setText(kNewMode);
        a117cnL->clear();
        a102knE->clear();
        for (QLineEdit *field : dateTime)
            field->clear();
        for (QLineEdit *field : values)
            field->clear();
        a118iidL->clear();
        uqe1(1);
        Dataset &qe1 = *dm().qe1;
        a102knE->setText(qe1.text(QStringLiteral("RYAK")));
        a118iidL->setText(qe1.text(QStringLiteral("IID")));
        uqe2(1);
        break;
    }
    case 2:
        newModeWithoutValues();
        for (int k = 0; k < 5; ++k)
            dateTime[k]->setText(qe2.text(QString::fromLatin1(dateTimeColumns[k])));
        break;
    case 3:
        a105modL->setText(kCorrectionMode);
        a117cnL->setText(qe2.text(QStringLiteral("CNT")));
        for (int k = 0; k < 5; ++k)
            dateTime[k]->setText(qe2.text(QString::fromLatin1(dateTimeColumns[k])));
        for (int k = 0; k < 3; ++k)
            values[k]->setText(qe2.text(QString::fromLatin1(valueColumns[k])));
        a106dyE->setFocus();
        break;
    default:
        break;
    }
}

void TVostrelF::a114rgBClick(QObject *)
{
    const QString mode = a105modL->text();
    if (mode == kNewMode)
        uqe2(2);
    else if (mode == kCorrectionMode)
        uqe2(3);
}

void TVostrelF::a114rgBKeyDown(QObject *, int &Key, Qt::KeyboardModifiers)
{
    if (Key == Qt::Key_Escape) {
        focusNextPrevChild(false);
        Key = 0;
    }
}

void TVostrelF::newModeWithoutValues()
{
    a105modL->setText(kNewMode);
    for (QLineEdit *field : {a111rvE, a112evE, a113cvE})
        field->clear();
}
