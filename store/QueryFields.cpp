#include "QueryFields.h"
#include "ColumnKind.h"
#include "Errors.h"
#include <QRegularExpression>
#include <climits>

int QueryFields::index(const QString &name) const
{
    for (int f = 0; f < names.size(); ++f)
        if (names[f].compare(name, Qt::CaseInsensitive) == 0)
            return f;
    return -1;
}

bool QueryFields::isWholeNumber(int field) const
{
    return ColumnKind::of(declaredTypes.at(field)) == ColumnKind::Kind::WholeNumber;
}

bool QueryFields::isWritable(int field) const
{
    return !originNames.at(field).isEmpty() && !tableName.isEmpty() && tables.at(field) == tableName;
}

bool QueryFields::accepts(int field, const QString &text) const
{
    if (text.isEmpty() || !isWholeNumber(field))
        return true;
    static const QRegularExpression wholeNumber(QStringLiteral("^[+-]?[0-9]+$"));
    if (!wholeNumber.match(text).hasMatch())
        return false;
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    return ok && value >= INT_MIN && value <= INT_MAX;
}

void QueryFields::check(int field, const QString &text) const
{
    if (!accepts(field, text))
        throw ConversionError(QStringLiteral("'%1' はフィールド '%2' の値として有効な整数値ではありません")
                                  .arg(text, names.at(field)));
}

void QueryFields::clear()
{
    names.clear();
    declaredTypes.clear();
    originNames.clear();
    tables.clear();
    tableName.clear();
}
