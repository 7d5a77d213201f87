#pragma once
#include "ChartMerge.h"
#include "store/ForwardWalk.h"

// A query walked by the chart merge: a quiet walk from its current row, its
// fields found by name. The views hear where it stopped when it goes.
class QueryRows : public ChartRows {
public:
    struct Fields {
        QString year, month, day, hour, minute, value; // no minute: empty
    };
    // The price list's DYL, DML, DDL, HHL, HML and CV.
    static Fields prices();
    // The value list's DY, DM, DD, HH and RV; the release minute takes no part.
    static Fields values();

    // Raises DatabaseError when the query lacks a field.
    QueryRows(Dataset &query, const Fields &names);

    bool atEnd() const override;
    void advance() override;
    QString hourKey() const override;
    QString minute() const override;
    QString value() const override;

private:
    Dataset &query_;
    int year_, month_, day_, hour_, minute_, value_;
    ForwardWalk walk_;
};
