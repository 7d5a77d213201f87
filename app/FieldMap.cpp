#include "FieldMap.h"
#include <map>

namespace FieldMap {

namespace {

Field shown(const char *column, const char *title = nullptr, Qt::Alignment alignment = {})
{
    return {QString::fromLatin1(column), title ? QString::fromUtf8(title) : QString(), alignment};
}

Field entered(const char *column, const char *title, Entry entry, const char *entryField, int slot)
{
    const Qt::Alignment alignment = entry == Entry::Value ? Qt::AlignRight : Qt::Alignment();
    return {QString::fromLatin1(column), QString::fromUtf8(title), alignment, entry, QString::fromLatin1(entryField),
            slot};
}

// A release's row: CNT, IID and IXNM in slots 11 to 13, then the date and
// time and the three values, each typed in its panel field.
std::vector<Field> releases()
{
    return {entered("DY", "年", Entry::DateTime, "a106dyE", 14), entered("DM", "月", Entry::DateTime, "a107dmE", 15),
            entered("DD", "日", Entry::DateTime, "a108ddE", 16), entered("HH", "時", Entry::DateTime, "a109hhE", 17),
            entered("HM", "分", Entry::DateTime, "a110hmE", 18), entered("RV", "結果", Entry::Value, "a111rvE", 19),
            entered("EV", "期待", Entry::Value, "a112evE", 20),  entered("CV", "補正", Entry::Value, "a113cvE", 21),
            shown("TYO", "摘要"),                                 shown("CNT")};
}

std::vector<Field> prices()
{
    return {shown("DYL", "年"), shown("DML", "月"), shown("DDL", "日"),  shown("HHL", "時"),
            shown("HML", "分"), shown("OV", "始値"), shown("HV", "高値"), shown("LV", "安値"),
            shown("CV", "終値"), shown("TYO", "摘要"), shown("CNT")};
}

std::vector<Field> instruments()
{
    return {shown("CNT"),           shown("FID", "FXID"),          shown("FXNM", "FX名"),
            shown("RYAK", "略称"), shown("CSVNM", "CSVﾌｧｲﾙ"), shown("TYO", "摘要")};
}

std::vector<Field> indicators()
{
    return {shown("CNT"),         shown("IID", "IDXID"),   shown("IXNM", "指標名"),    shown("SYT", "ｻｲﾄ名"),
            shown("URL"),         shown("RYAK", "略称"), shown("CSVNM", "CSV書出"), shown("TYO", "摘要")};
}

} // namespace

const std::vector<Field> &ofTable(const QString &table)
{
    static const std::map<QString, std::vector<Field>> maps{
        {QStringLiteral("AINDX"), releases()},
        {QStringLiteral("AFX"), prices()},
        {QStringLiteral("AAFXL"), instruments()},
        {QStringLiteral("AAEIL"), indicators()},
    };
    static const std::vector<Field> none;
    const auto found = maps.find(table);
    return found == maps.end() ? none : found->second;
}

QString tableOfGrid(const QString &gridName)
{
    static const std::map<QString, QString> tables{
        {QStringLiteral("adg"), QStringLiteral("AINDX")},
        {QStringLiteral("bdg"), QStringLiteral("AFX")},
        {QStringLiteral("d1G"), QStringLiteral("AAFXL")},
        {QStringLiteral("d2G"), QStringLiteral("AAEIL")},
    };
    const auto found = tables.find(gridName);
    return found == tables.end() ? QString() : found->second;
}

} // namespace FieldMap
