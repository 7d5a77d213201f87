#pragma once
#include <QElapsedTimer>
#include <QString>
#include <memory>

class QProgressDialog;
class QWidget;

// The progress of a long import: Qt's own modal progress dialog, shown once
// the import has run for half a second, with the file being read, the lines
// read so far and a キャンセル button.
//
// The import calls advance() for every line; it is cheap and touches the
// dialog only every few milliseconds, letting the dialog take its clicks
// then. Once the user has cancelled, advance() answers false: the import
// stops and undoes what it did, and reports the cancel to the user.
class ImportProgress {
public:
    explicit ImportProgress(QWidget *parent);
    ~ImportProgress();
    ImportProgress(const ImportProgress &) = delete;
    ImportProgress &operator=(const ImportProgress &) = delete;

    // Reading a file of lineCount lines begins.
    void beginFile(const QString &path, int lineCount);
    // lineNumber lines of the current file are read; false once cancelled.
    bool advance(int lineNumber);
    bool wasCancelled() const;

private:
    void update(int lineNumber);

    std::unique_ptr<QProgressDialog> dialog_;
    QElapsedTimer sinceUpdate_;
    QString path_;
    int lineCount_ = 0;
    unsigned calls_ = 0;
};
