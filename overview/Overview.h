#pragma once

#include "ColourScale.h"
#include "NodeSets.h"
#include "RecordGrid.h"
#include "ShownRecords.h"

#include <cstdint>
#include <vector>

// The overview of a whole file: a row per node and a column per run of
// records, each cell the value of largest magnitude among the run's values
// of that node, so that one extreme record among millions stays in sight.
// Of two values of equal magnitude the earlier one stands: neither sign is
// favoured.
//
// Missing values (see ShownRecords: "/" as read, a sum that one enters, a
// node that the file's dimension does not give, a record without a partner)
// take no part in the largest magnitude. A cell whose records are all
// missing is missing; a cell with some missing and some values holds the
// largest of its values and says that some were missing, so that a value
// never hides that others are missing.

namespace quib {

// What a cell of only missing values holds.
inline constexpr std::int64_t kNoOverviewValue = INT64_MIN;

// The rows from top to bottom: abcde first, {} last, level by level and
// within a level in the diagram's order from left to right.
int NodeOfRow(int row);
int RowOfNode(int node);

// The overview at one width.
class OverviewColumns {
  public:
    int Count() const { return m_columns; }

    // Whether every record of the cell lacks a value.
    bool AllMissing(int column, int node) const { return Cell(column, node) == kNoOverviewValue; }
    // Whether at least one record of the cell lacks a value.
    bool SomeMissing(int column, int node) const {
        return (m_someMissing[std::size_t(column)] >> node) & 1;
    }
    // The value of largest magnitude; meaningless where AllMissing.
    std::int64_t Value(int column, int node) const { return Cell(column, node); }

    // The positions a column covers, and the column of a position.
    RecordRun Records(int column) const { return m_grid.ColumnRecords(column, m_columns); }
    int ColumnOf(int record) const { return m_grid.ColumnOfRecord(record, m_columns); }

  private:
    friend class Overview;

    std::int64_t Cell(int column, int node) const {
        return m_cells[std::size_t(column) * kNodeCount + std::size_t(node)];
    }

    RecordGrid m_grid;
    int m_columns = 0;
    std::vector<std::int64_t> m_cells;   // column by column
    std::vector<NodeMask> m_someMissing; // per column
};

class Overview {
  public:
    Overview() = default;

    // One pass over the primary records, each read as shown in `mode`.
    // Throws std::bad_alloc when memory runs out (some 17 MiB at most).
    Overview(const LatticeDocument& document, OverviewMode mode, ValueTransform transform);

    OverviewMode Mode() const { return m_mode; }
    ValueTransform Transform() const { return m_transform; }
    int Records() const { return m_grid.Records(); }
    // The most columns any width gets: one per record up to kFineBinLimit.
    int MostColumns() const { return m_grid.FineBins(); }

    // The nodes without any value because the file's dimension does not
    // give them (as read): rows "not in the file".
    NodeMask AbsentNodes() const { return m_absent; }

    // The lowest and the highest of all values shown that are not missing:
    // the ends of the colour scale.
    ColourEnds Ends() const { return m_ends; }

    // The overview at `wanted` columns (fewer with fewer records), merged
    // from the fine bins.
    OverviewColumns Columns(int wanted) const;

  private:
    OverviewMode m_mode = OverviewMode::Primary;
    ValueTransform m_transform = ValueTransform::Read;
    RecordGrid m_grid;
    OverviewColumns m_fine; // one column per fine bin
    NodeMask m_absent = 0;
    ColourEnds m_ends;
};

} // namespace quib
