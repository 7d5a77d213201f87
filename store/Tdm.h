#pragma once
#include "Connection.h"
#include "DataSource.h"
#include "Dataset.h"
#include <QObject>

// The data module: the one connection and every named query with its data
// source. All queries start closed.
class Tdm : public QObject {
    Q_OBJECT
public:
    explicit Tdm(QObject *parent = nullptr);
    ~Tdm() override;

    Connection csq;

    Dataset *qst; // column rows of the current table
    Dataset *qq;  // table lookup
    Dataset *qa;  // scratch: table rows, next row number
    Dataset *qw;  // scratch: existence count, rows of a value file
    Dataset *qe1; // indicator list (AAEIL)
    Dataset *qe2; // value list (AINDX)
    Dataset *qf1; // FX list (AAFXL)
    Dataset *qf2; // FX price list (AFX)
    Dataset *qd;  // browser list (WEBBRW)

    DataSource *dse1;
    DataSource *dse2;
    DataSource *dsf1;
    DataSource *dsf2;
    DataSource *dsd;

private:
    Dataset *query(const char *name, bool editable = false);
};
