#pragma once
#include <QString>
#include <QStringList>

// What the program is asked to do by its command line:
//   keizai-shihyo            work in the current folder
//   keizai-shihyo FOLDER     work in FOLDER
//   keizai-shihyo --home     work in the user's own folder (made when missing)
//   keizai-shihyo --help | --version
// Reading the arguments touches nothing: no folder is looked at or made.
struct CommandLine {
    enum class Action { Start, Help, Version, Wrong };
    enum class Folder { Current, Named, Home };

    Action action = Action::Start;
    Folder folder = Folder::Current;
    QString named;   // the FOLDER given, as typed
    QString problem; // why the arguments are wrong

    // The arguments after the program's name.
    static CommandLine parse(const QStringList &arguments);

    // The text that --help prints.
    static QString usage();
    // The text that --version prints.
    static QString version();
    // The user's own working folder: "keizai-shihyo" under the user's data
    // location ($XDG_DATA_HOME, by default ~/.local/share).
    static QString homeFolder();
};
