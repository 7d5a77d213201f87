#include "WorkingFolder.h"
#include "CommandLine.h"
#include "store/Boxes.h"
#include "store/Errors.h"
#include "store/StandardDictionary.h"
#include <QDir>
#include <QFileInfo>

namespace WorkingFolder {

namespace {
const QString kDatabase = QStringLiteral("SQDB.DB");

void moveInto(const QString &folder)
{
    if (!QDir::setCurrent(folder))
        throw FileError(QStringLiteral("フォルダ %1 に移れません").arg(folder));
}
} // namespace

void enter(const CommandLine &line)
{
    switch (line.folder) {
    case CommandLine::Folder::Current:
        return;
    case CommandLine::Folder::Named:
        if (!QFileInfo(line.named).isDir())
            throw FileError(QStringLiteral("フォルダ %1 がありません").arg(line.named));
        moveInto(line.named);
        return;
    case CommandLine::Folder::Home: {
        const QString home = CommandLine::homeFolder();
        if (!QDir().mkpath(home))
            throw FileError(QStringLiteral("フォルダ %1 を作成できません").arg(home));
        moveInto(home);
        return;
    }
    }
}

void offerNewDatabase(const CommandLine &line)
{
    if (line.folder != CommandLine::Folder::Home || QFileInfo::exists(kDatabase))
        return;
    const QString folder = QDir::currentPath();
    if (!Boxes::current().confirmYesNo(
            QStringLiteral("%1 にはデータベース SQDB.DB がありません。\n"
                           "標準のデータ辞書を入れた新しいデータベースを作りますか?")
                .arg(QDir::toNativeSeparators(folder))))
        return;
    StandardDictionary::createNewFile(QDir(folder).filePath(kDatabase));
}

bool prepare(const CommandLine &line)
{
    try {
        enter(line);
    } catch (const AppError &error) {
        Boxes::current().error(error.text());
        return false;
    }
    // A database that cannot be made leaves the folder as one without a
    // database.
    try {
        offerNewDatabase(line);
    } catch (const AppError &error) {
        Boxes::current().error(error.text());
    }
    return true;
}

} // namespace WorkingFolder
