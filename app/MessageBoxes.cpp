#include "MessageBoxes.h"
#include <QApplication>
#include <QMessageBox>

const QString &MessageBoxes::title()
{
    static const QString text = QStringLiteral("経済指標記録");
    return text;
}

namespace {
int ask(QMessageBox::Icon icon, const QString &text, QMessageBox::StandardButtons buttons,
        QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, MessageBoxes::title(), text, buttons, QApplication::activeWindow());
    box.setDefaultButton(defaultButton);
    return box.exec();
}
} // namespace

void MessageBoxes::message(const QString &text)
{
    ask(QMessageBox::NoIcon, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool MessageBoxes::confirmYesNo(const QString &text)
{
    return ask(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
           != QMessageBox::No;
}

bool MessageBoxes::confirmOkCancel(const QString &text)
{
    return ask(QMessageBox::Question, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok)
           == QMessageBox::Ok;
}

void MessageBoxes::error(const QString &text)
{
    ask(QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok);
}
