#include "GridColumns.h"

namespace GridColumns {

namespace {

GridColumn column(const char *field, const char *title = nullptr, Qt::Alignment alignment = {})
{
    return {QString::fromLatin1(field), title ? QString::fromUtf8(title) : QString(), alignment};
}

} // namespace

std::vector<GridColumn> of(const QString &gridName)
{
    if (gridName == QLatin1String("adg"))
        return {column("DY", "年"), column("DM", "月"), column("DD", "日"), column("HH", "時"),
                column("HM", "分"), column("RV", "結果", Qt::AlignRight), column("EV", "期待", Qt::AlignRight),
                column("CV", "補正", Qt::AlignRight), column("TYO", "摘要"), column("CNT")};
    if (gridName == QLatin1String("bdg"))
        return {column("DYL", "年"), column("DML", "月"), column("DDL", "日"), column("HHL", "時"),
                column("HML", "分"), column("OV", "始値"), column("HV", "高値"), column("LV", "安値"),
                column("CV", "終値"), column("TYO", "摘要"), column("CNT")};
    if (gridName == QLatin1String("d1G"))
        return {column("CNT"), column("FID", "FXID"), column("FXNM", "FX名"), column("RYAK", "略称"),
                column("CSVNM", "CSVﾌｧｲﾙ"), column("TYO", "摘要")};
    if (gridName == QLatin1String("d2G"))
        return {column("CNT"), column("IID", "IDXID"), column("IXNM", "指標名"), column("SYT", "ｻｲﾄ名"),
                column("URL"), column("RYAK", "略称"), column("CSVNM", "CSV書出"), column("TYO", "摘要")};
    return {};
}

} // namespace GridColumns
