#include "WorkingFolder.h"
#include "CommandLine.h"
#include "store/Boxes.h"
#include "store/Errors.h"
#include <QDir>
#include <QFileInfo>

namespace WorkingFolder {

namespace {
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

bool prepare(const CommandLine &line)
{
    try {
        enter(line);
    } catch (const AppError &error) {
        Boxes::current().error(error.text());
        return false;
    }
    return true;
}

} // namespace WorkingFolder
