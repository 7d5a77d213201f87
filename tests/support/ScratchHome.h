#pragma once
#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

// A scratch data location ($XDG_DATA_HOME) for the user's own working
// folder; the current folder and the variable are restored at the end.
class ScratchHome {
public:
    ScratchHome() : previousFolder_(QDir::currentPath()), previousHome_(qgetenv("XDG_DATA_HOME"))
    {
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataLocation()));
    }
    ~ScratchHome()
    {
        QDir::setCurrent(previousFolder_);
        if (previousHome_.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", previousHome_);
    }
    ScratchHome(const ScratchHome &) = delete;
    ScratchHome &operator=(const ScratchHome &) = delete;

    // Not there until the program makes it.
    QString dataLocation() const { return dir_.filePath(QStringLiteral("data/share")); }
    QString scratch() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    QString previousFolder_;
    QByteArray previousHome_;
};
