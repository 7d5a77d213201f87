#pragma once
#include "exchange/PriceForm.h"
#include <QList>
#include <QString>

// What the closing box of a CSV import tells: how many lines were refused
// and where the first of them stands, and, when any FX price file was not in
// the program's own form, the form each file was read in.
class ImportReport {
public:
    void addFile(const QString &fileName, PriceForm::Form form);
    void refuse(const QString &path, int line);

    int refusedCount() const { return refusedCount_; }

    // " CSVﾌｧｲﾙからの読込終了 ", then what there is to tell.
    QString closingText() const;
    // The box of an import the user cancelled, which left its table as it was.
    static QString cancelledText();

private:
    struct File {
        QString name;
        PriceForm::Form form;
    };

    QList<File> files_;
    int refusedCount_ = 0;
    QString firstRefusedPath_;
    int firstRefusedLine_ = 0;
};
