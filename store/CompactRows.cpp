#include "CompactRows.h"
#include <sqlite3.h>
#include <cstring>

namespace {

// Packs into the blob given, keeping its storage when it is large enough.
void packRowInto(QByteArray &blob, const std::vector<int> &types, const std::vector<QByteArray> &texts)
{
    const int n = int(types.size());
    const int header = n * int(sizeof(qint32) + 1);
    int textBytes = 0;
    for (const QByteArray &text : texts)
        textBytes += int(text.size());
    const int size = header + textBytes;
    if (blob.isDetached() && blob.capacity() >= size)
        blob.resize(size);
    else
        blob = QByteArray(size, Qt::Uninitialized); // exactly as large: a cache holds many

    char *ends = blob.data();
    char *kinds = ends + n * sizeof(qint32);
    char *out = blob.data() + header;
    qint32 end = 0;
    for (int f = 0; f < n; ++f) {
        if (!texts[f].isEmpty())
            std::memcpy(out + end, texts[f].constData(), size_t(texts[f].size()));
        end += qint32(texts[f].size());
        std::memcpy(ends + f * sizeof(qint32), &end, sizeof(qint32));
        kinds[f] = char(types[f]);
    }
}

} // namespace

void CompactRows::reset(int fieldCount, bool withRowIds)
{
    clear();
    fieldCount_ = fieldCount;
    withRowIds_ = withRowIds;
}

void CompactRows::clear()
{
    rows_.clear();
    rows_.shrink_to_fit();
    rowIds_.clear();
    rowIds_.shrink_to_fit();
}

void CompactRows::append(const std::vector<int> &types, const std::vector<QByteArray> &texts, qint64 rowId)
{
    rows_.emplace_back();
    packRowInto(rows_.back(), types, texts);
    if (withRowIds_)
        rowIds_.push_back(rowId);
}

void CompactRows::replace(int row, const std::vector<int> &types, const std::vector<QByteArray> &texts)
{
    packRowInto(rows_.at(size_t(row)), types, texts);
}

void CompactRows::insertEmpty(int row)
{
    QByteArray blob;
    packRowInto(blob, std::vector<int>(size_t(fieldCount_), SQLITE_NULL), std::vector<QByteArray>(size_t(fieldCount_)));
    rows_.insert(rows_.begin() + row, std::move(blob));
    if (withRowIds_)
        rowIds_.insert(rowIds_.begin() + row, 0);
}

void CompactRows::erase(int row)
{
    rows_.erase(rows_.begin() + row);
    if (withRowIds_)
        rowIds_.erase(rowIds_.begin() + row);
}

void CompactRows::keepOne()
{
    rows_.assign(1, QByteArray());
    rows_.shrink_to_fit();
    rowIds_.assign(withRowIds_ ? 1 : 0, 0);
    rowIds_.shrink_to_fit();
}

CompactRows::Span CompactRows::span(int row, int field) const
{
    const QByteArray &blob = rows_.at(size_t(row));
    qint32 end = 0, start = 0;
    std::memcpy(&end, blob.constData() + field * sizeof(qint32), sizeof(qint32));
    if (field > 0)
        std::memcpy(&start, blob.constData() + (field - 1) * sizeof(qint32), sizeof(qint32));
    const int header = fieldCount_ * int(sizeof(qint32) + 1);
    return {header + start, end - start};
}

QString CompactRows::text(int row, int field) const
{
    const Span s = span(row, field);
    return QString::fromUtf8(rows_[size_t(row)].constData() + s.start, s.length);
}

QByteArray CompactRows::bytes(int row, int field) const
{
    const Span s = span(row, field);
    return QByteArray(rows_[size_t(row)].constData() + s.start, s.length);
}

int CompactRows::type(int row, int field) const
{
    return int(rows_.at(size_t(row)).at(fieldCount_ * int(sizeof(qint32)) + field));
}
