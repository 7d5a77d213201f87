#pragma once
#include <QByteArray>
#include <QString>
#include <vector>

// The rows a query has read, each packed into one blob: the end offset of
// each field's UTF-8 text (int32), each field's storage type (uint8), then
// the texts. A grid of a million rows holds little more than its texts.
// With row ids, each row also keeps the row id it was read with.
class CompactRows {
public:
    void reset(int fieldCount, bool withRowIds);
    // Lets go of every row and of their storage.
    void clear();

    int size() const { return int(rows_.size()); }
    bool empty() const { return rows_.empty(); }
    int fieldCount() const { return fieldCount_; }
    bool hasRowIds() const { return withRowIds_; }

    // types holds SQLITE_INTEGER ... SQLITE_NULL, texts the UTF-8 texts.
    void append(const std::vector<int> &types, const std::vector<QByteArray> &texts, qint64 rowId = 0);
    // Packs a row anew, in its storage when that is large enough.
    void replace(int row, const std::vector<int> &types, const std::vector<QByteArray> &texts);
    // A row of NULLs without a row id, before the row given.
    void insertEmpty(int row);
    void erase(int row);
    // Keeps one row only, to be replaced row after row by a long walk.
    void keepOne();

    QString text(int row, int field) const;
    QByteArray bytes(int row, int field) const;
    int type(int row, int field) const;
    qint64 rowId(int row) const { return rowIds_.at(size_t(row)); }
    void setRowId(int row, qint64 rowId) { rowIds_.at(size_t(row)) = rowId; }

private:
    // Where a field's text lies in its row's blob.
    struct Span {
        int start;
        int length;
    };
    Span span(int row, int field) const;

    int fieldCount_ = 0;
    bool withRowIds_ = false;
    std::vector<QByteArray> rows_;
    std::vector<qint64> rowIds_;
};
