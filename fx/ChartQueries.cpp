#include "ChartQueries.h"

QueryRows::Fields QueryRows::prices()
{
    return {QStringLiteral("DYL"), QStringLiteral("DML"), QStringLiteral("DDL"),
            QStringLiteral("HHL"), QStringLiteral("HML"), QStringLiteral("CV")};
}

QueryRows::Fields QueryRows::values()
{
    return {QStringLiteral("DY"), QStringLiteral("DM"), QStringLiteral("DD"),
            QStringLiteral("HH"), QString(),          QStringLiteral("RV")};
}

QueryRows::QueryRows(Dataset &query, const Fields &names)
    : query_(query), year_(query.requireField(names.year)), month_(query.requireField(names.month)),
      day_(query.requireField(names.day)), hour_(query.requireField(names.hour)),
      minute_(names.minute.isEmpty() ? -1 : query.requireField(names.minute)),
      value_(query.requireField(names.value)), walk_(query, {year_, month_, day_, hour_, minute_, value_})
{
}

bool QueryRows::atEnd() const { return query_.eof(); }

void QueryRows::advance() { query_.walkNext(); }

QString QueryRows::hourKey() const
{
    return ChartMerge::hourKey(query_.text(year_), query_.text(month_), query_.text(day_), query_.text(hour_));
}

QString QueryRows::minute() const { return minute_ < 0 ? QString() : query_.text(minute_); }

QString QueryRows::value() const { return query_.text(value_); }
