#include "LocalDate.h"
#include <QLocale>

namespace LocalDate {

namespace {
QDate fixedDate;
QString fixedFormat;
} // namespace

QString today()
{
    if (fixedDate.isValid())
        return fixedDate.toString(fixedFormat);
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
}

void fix(const QDate &date, const QString &shortFormat)
{
    fixedDate = date;
    fixedFormat = shortFormat;
}

void unfix()
{
    fixedDate = QDate();
    fixedFormat.clear();
}

} // namespace LocalDate
