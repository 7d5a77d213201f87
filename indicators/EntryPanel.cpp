// The entry panel: reset, new release, correction, and registration.
#include "app/Panel.h"
#include "app/VostrelF.h"
#include "store/Tdm.h"
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

namespace {
const QString kNewMode = QStringLiteral("新規");
const QString kCorrectionMode = QStringLiteral("修正");

const std::vector<FieldMap::Field> &releaseFields()
{
    return FieldMap::ofTable(QStringLiteral("AINDX"));
}

bool isOf(const FieldMap::Field &field, std::initializer_list<FieldMap::Entry> kinds)
{
    return field.entry != FieldMap::Entry::None && std::find(kinds.begin(), kinds.end(), field.entry) != kinds.end();
}
} // namespace

void TVostrelF::showRelease(std::initializer_list<FieldMap::Entry> kinds)
{
    const Dataset &qe2 = *dm().qe2;
    for (const FieldMap::Field &field : releaseFields())
        if (isOf(field, kinds))
            findChild<QLineEdit *>(field.entryField)->setText(qe2.text(field.column));
}

void TVostrelF::clearRelease(std::initializer_list<FieldMap::Entry> kinds)
{
    for (const FieldMap::Field &field : releaseFields())
        if (isOf(field, kinds))
            findChild<QLineEdit *>(field.entryField)->clear();
}

void TVostrelF::fillReleaseSlots()
{
    for (const FieldMap::Field &field : releaseFields())
        if (field.slot > 0)
            sa[field.slot] = findChild<QLineEdit *>(field.entryField)->text();
}

void TVostrelF::uda(int id)
{
    using FieldMap::Entry;
    switch (id) {
    case 1: {
        A00P->setCaption(QString()); // the first activation runs once
        a00gdL->clear();
        a105modL->setText(kNewMode);
        a117cnL->clear();
        a102knE->clear();
        clearRelease({Entry::DateTime, Entry::Value});
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
        showRelease({Entry::DateTime});
        break;
    case 3:
        a105modL->setText(kCorrectionMode);
        a117cnL->setText(dm().qe2->text(QStringLiteral("CNT")));
        showRelease({Entry::DateTime, Entry::Value});
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
    clearRelease({FieldMap::Entry::Value});
}
