#pragma once
#include <QDate>
#include <QString>

// Today's date as the user's locale writes it in its short date format. Tests
// fix the date and the format; by default both are the system's.
namespace LocalDate {

QString today();

void fix(const QDate &date, const QString &shortFormat);
void unfix();

} // namespace LocalDate
