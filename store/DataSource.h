#pragma once
#include <QObject>

class Dataset;

// Links a query of the data module to the control that shows it.
class DataSource : public QObject {
    Q_OBJECT
public:
    DataSource(Dataset *dataSet, const QString &name, QObject *parent = nullptr)
        : QObject(parent), dataSet_(dataSet) { setObjectName(name); }
    Dataset *dataSet() const { return dataSet_; }

private:
    Dataset *dataSet_;
};
