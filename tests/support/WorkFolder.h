#pragma once
#include <QDir>
#include <QString>
#include <QTemporaryDir>

// A temporary working folder that is the current folder while it lives.
class WorkFolder {
public:
    WorkFolder() : previous_(QDir::currentPath()) { QDir::setCurrent(dir_.path()); }
    ~WorkFolder() { QDir::setCurrent(previous_); }
    WorkFolder(const WorkFolder &) = delete;
    WorkFolder &operator=(const WorkFolder &) = delete;

    QString path() const { return dir_.path(); }
    QString file(const QString &name) const { return dir_.filePath(name); }
    QString database() const { return file(QStringLiteral("SQDB.DB")); }

private:
    QTemporaryDir dir_;
    QString previous_;
};
