#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/Fonts.h"
#include "app/MessageBoxes.h"
#include "app/Styles.h"
#include "app/Translations.h"
#include "app/VostrelF.h"
#include "app/WorkingFolder.h"
#include "store/Tdm.h"
#include "store/TerminalLine.h"

namespace {

// --help, --version and wrong arguments are answered on the terminal,
// before any window or display is needed.
int answerOnTerminal(const CommandLine &line)
{
    switch (line.action) {
    case CommandLine::Action::Help:
        printLine(stdout, CommandLine::usage());
        return 0;
    case CommandLine::Action::Version:
        printLine(stdout, CommandLine::version());
        return 0;
    default:
        printLine(stderr, line.problem);
        printLine(stderr, CommandLine::usage());
        return 2;
    }
}

} // namespace

int main(int argc, char *argv[])
{
    // Help and version need no display; Qt's own options (-platform, -style,
    // ...) are taken by the application before the rest is read.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine asked = CommandLine::parse(arguments);
    if (asked.action == CommandLine::Action::Help || asked.action == CommandLine::Action::Version)
        return answerOnTerminal(asked);

    Application application(argc, argv);
    const CommandLine line = CommandLine::parse(application.arguments().mid(1));
    if (line.action != CommandLine::Action::Start)
        return answerOnTerminal(line);
    MessageBoxes boxes;
    Boxes::install(&boxes);
    Translations::install(application);
    Styles::apply(QStringLiteral("Windows10 Dark"));
    Fonts::install();
    if (!WorkingFolder::prepare(line))
        return 1;

    TVostrelF VostrelF;
    Tdm dm;
    VostrelF.bindDataModule(&dm);
    VostrelF.show();
    return application.exec();
}
