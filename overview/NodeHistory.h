#pragma once

#include "RecordGrid.h"
#include "ShownRecords.h"

#include <cstdint>
#include <vector>

// One node's shown values across all records, for the primary run and for
// the partners, as the least and the largest value of each column's run.
// Missing values take no part; a run of only missing values is empty.

namespace quib {

enum class HistoryRun { Primary, Imported };

// The least and the largest of some values; empty (least above largest)
// without any.
struct ValueSpan {
    std::int64_t least = INT64_MAX;
    std::int64_t largest = INT64_MIN;

    bool Empty() const { return least > largest; }
    void Take(std::int64_t value) {
        least = value < least ? value : least;
        largest = value > largest ? value : largest;
    }
    void Take(const ValueSpan& other) {
        least = other.least < least ? other.least : least;
        largest = other.largest > largest ? other.largest : largest;
    }
};

// The history at one width.
class HistoryColumns {
  public:
    int Count() const { return m_columns; }
    const ValueSpan& Span(int column, HistoryRun run) const {
        return m_spans[std::size_t(column) * 2 + std::size_t(run)];
    }
    RecordRun Records(int column) const { return m_grid.ColumnRecords(column, m_columns); }
    int ColumnOf(int record) const { return m_grid.ColumnOfRecord(record, m_columns); }

  private:
    friend class NodeHistory;

    RecordGrid m_grid;
    int m_columns = 0;
    std::vector<ValueSpan> m_spans; // per column, primary then imported
};

class NodeHistory {
  public:
    NodeHistory() = default;

    // One pass over the primary records and their partners; a node outside
    // 0 to 31 has no values. Throws std::bad_alloc when memory runs out
    // (2 MiB at most).
    NodeHistory(const LatticeDocument& document, int node, ValueTransform transform);

    int Node() const { return m_node; }
    ValueTransform Transform() const { return m_transform; }
    int Records() const { return m_grid.Records(); }
    int MostColumns() const { return m_grid.FineBins(); }

    // The values of both runs together: the value axis.
    const ValueSpan& Range() const { return m_range; }

    HistoryColumns Columns(int wanted) const;

  private:
    int m_node = 0;
    ValueTransform m_transform = ValueTransform::Read;
    RecordGrid m_grid;
    HistoryColumns m_fine;
    ValueSpan m_range;
};

} // namespace quib
