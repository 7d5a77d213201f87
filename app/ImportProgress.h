#pragma once
#include <QElapsedTimer>
#include <QString>
#include <memory>

class QProgressDialog;
class QWidget;

// The progress of a long import or write of CSV files: Qt's own modal
// progress dialog, shown once the work has run for half a second, with the
// file being read or written, the lines done so far and a キャンセル button.
//
// The import calls advance() for every line; it is cheap and touches the
// dialog only every few milliseconds, letting the dialog take its clicks
// then. Once the user has cancelled, advance() answers false: the import
// stops and undoes what it did, and reports the cancel to the user.
class ImportProgress {
public:
    enum class Work { Reading, Writing };

    explicit ImportProgress(QWidget *parent, Work work = Work::Reading);
    ~ImportProgress();
    ImportProgress(const ImportProgress &) = delete;
    ImportProgress &operator=(const ImportProgress &) = delete;

    // Work on a file begins, lineCount lines being the whole work.
    void beginFile(const QString &path, int lineCount);
    // lineNumber lines of the work are done; false once cancelled.
    bool advance(int lineNumber);
    bool wasCancelled() const;

private:
    void update(int lineNumber);

    std::unique_ptr<QProgressDialog> dialog_;
    QElapsedTimer sinceUpdate_;
    Work work_;
    QString path_;
    int lineCount_ = 0;
    unsigned calls_ = 0;
};
