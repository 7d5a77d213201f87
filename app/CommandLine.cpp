#include "CommandLine.h"
#include <QCommandLineParser>
#include <QStandardPaths>

namespace {
const QString kHome = QStringLiteral("home");
const QString kHelp = QStringLiteral("help");
const QString kVersion = QStringLiteral("version");
} // namespace

CommandLine CommandLine::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(QCommandLineOption(kHome));
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), kHelp}));
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("v"), kVersion}));

    CommandLine line;
    // The parser takes the first element as the program's name. Help and
    // version are answered whatever else is given.
    const bool parsed = parser.parse(QStringList{QStringLiteral("keizai-shihyo")} + arguments);
    if (parser.isSet(kHelp)) {
        line.action = Action::Help;
        return line;
    }
    if (parser.isSet(kVersion)) {
        line.action = Action::Version;
        return line;
    }
    if (!parsed) {
        line.action = Action::Wrong;
        const QStringList unknown = parser.unknownOptionNames();
        line.problem = unknown.isEmpty() ? parser.errorText()
                                         : QStringLiteral("不明な指定です: %1").arg(unknown.first());
        return line;
    }

    const QStringList folders = parser.positionalArguments();
    if (folders.size() > 1 || (parser.isSet(kHome) && !folders.isEmpty())) {
        line.action = Action::Wrong;
        line.problem = QStringLiteral("作業フォルダは一つだけ指定できます");
        return line;
    }
    if (parser.isSet(kHome)) {
        line.folder = Folder::Home;
    } else if (!folders.isEmpty()) {
        line.folder = Folder::Named;
        line.named = folders.first();
    }
    return line;
}

QString CommandLine::usage()
{
    return QStringLiteral(
        "使い方: keizai-shihyo [FOLDER | --home]\n"
        "  経済指標記録を起動します。作業フォルダの SQDB.DB に記録します。\n"
        "  FOLDER     このフォルダを作業フォルダにします (指定がなければ今のフォルダ)。\n"
        "  --home     利用者のデータフォルダ %1 を作業フォルダにします (なければ作ります)。\n"
        "             SQDB.DB がなければ、標準のデータ辞書で作るかどうかを尋ねます。\n"
        "  --help     この説明を表示します。\n"
        "  --version  版を表示します。")
        .arg(homeFolder());
}

QString CommandLine::version()
{
    return QStringLiteral("keizai-shihyo " KEIZAI_VERSION);
}

QString CommandLine::homeFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/keizai-shihyo");
}
