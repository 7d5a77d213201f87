#include "ImportReport.h"
#include <algorithm>

void ImportReport::addFile(const QString &fileName, PriceForm::Form form) { files_.append({fileName, form}); }

void ImportReport::refuse(const QString &path, int line)
{
    if (refusedCount_++ == 0) {
        firstRefusedPath_ = path;
        firstRefusedLine_ = line;
    }
}

QString ImportReport::closingText() const
{
    QString text = QStringLiteral(" CSVﾌｧｲﾙからの読込終了 ");
    if (refusedCount_ > 0)
        text += QStringLiteral(" 登録できなかった行: %1 行\n最初の行: %2 の %3 行目")
                    .arg(refusedCount_)
                    .arg(firstRefusedPath_)
                    .arg(firstRefusedLine_);
    const bool allOwnForm = std::all_of(files_.begin(), files_.end(),
                                        [](const File &f) { return f.form == PriceForm::Form::Slashed; });
    if (allOwnForm)
        return text;
    text += QStringLiteral("\n読み取った形式:");
    for (const File &f : files_)
        text += QStringLiteral("\n  %1: %2").arg(f.name, PriceForm::name(f.form));
    return text;
}

QString ImportReport::cancelledText()
{
    return QStringLiteral("CSVﾌｧｲﾙからの読込を中止しました。ﾃｰﾌﾞﾙﾃﾞｰﾀは元のままです");
}
