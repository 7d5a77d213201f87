#pragma once
#include "Dataset.h"

// A quiet walk forward through a query from its current row (see
// Dataset::beginWalk). When it goes, also after an error, the views are told
// where the query stands.
class ForwardWalk {
public:
    explicit ForwardWalk(Dataset &query, const std::vector<int> &fields = {}) : query_(query)
    {
        query_.beginWalk(fields);
    }
    ~ForwardWalk() { query_.endWalk(); }
    ForwardWalk(const ForwardWalk &) = delete;
    ForwardWalk &operator=(const ForwardWalk &) = delete;

    Dataset &query() const { return query_; }

private:
    Dataset &query_;
};
