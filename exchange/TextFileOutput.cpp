#include "TextFileOutput.h"
#include "AnsiCodePage.h"
#include "store/Errors.h"
#include <QDir>
#include <QSaveFile>

namespace TextFileOutput {

QByteArray encode(const QString &text)
{
    if (std::optional<QByteArray> bytes = AnsiCodePage::encode(text))
        return *bytes;
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

void write(const QString &path, const QString &text)
{
    const QByteArray bytes = encode(text);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw FileError(QStringLiteral("ファイル '%1' を書けません: %2")
                            .arg(QDir::toNativeSeparators(path), file.errorString()));
}

} // namespace TextFileOutput
