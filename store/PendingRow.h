#pragma once
#include <QString>
#include <vector>

// The texts given to the fields of the row being edited or inserted,
// pending until the row is posted.
class PendingRow {
public:
    void clear(int fieldCount)
    {
        texts_.assign(size_t(fieldCount), QString());
        given_.assign(size_t(fieldCount), 0);
    }
    void give(int field, const QString &text)
    {
        texts_[size_t(field)] = text;
        given_[size_t(field)] = 1;
    }
    bool isGiven(int field) const { return given_.at(size_t(field)) != 0; }
    const QString &text(int field) const { return texts_.at(size_t(field)); }
    int fieldCount() const { return int(texts_.size()); }

private:
    std::vector<QString> texts_;
    std::vector<char> given_;
};
