#pragma once

// Record positions split into runs for drawing a whole file at once: first
// into fine bins, each of one or more consecutive records, then any number
// of columns, each of one or more consecutive fine bins. Everything a column
// holds is merged from its fine bins, so a new width never reads a record.

namespace quib {

// Enough fine bins that the columns of a screen-wide panel (4096 of them)
// differ in length by one fine bin at most, 1/16 of a column.
inline constexpr int kFineBinLimit = 65536;

// Consecutive positions [first, end).
struct RecordRun {
    int first = 0;
    int end = 0;
};

class RecordGrid {
  public:
    RecordGrid() = default;
    // One fine bin per record up to `fineBinLimit` records, then runs of
    // nearly equal length.
    explicit RecordGrid(int records, int fineBinLimit = kFineBinLimit);

    int Records() const { return m_records; }
    int FineBins() const { return m_fineBins; }

    // The first position of fine bin `bin`; FineStart(FineBins()) is Records().
    int FineStart(int bin) const { return Split(bin, m_fineBins, m_records); }

    // The columns a width of `wanted` gets: one per fine bin at most, so with
    // fewer records than that one per record.
    int ColumnsFor(int wanted) const;
    // The fine bins [first, end) of column `column` of `columns`.
    RecordRun ColumnFineBins(int column, int columns) const;
    // The positions [first, end) of column `column` of `columns`.
    RecordRun ColumnRecords(int column, int columns) const;
    // The column of `columns` that holds position `record` (clamped).
    int ColumnOfRecord(int record, int columns) const;

  private:
    // floor(index * total / parts): the start of part `index`.
    static int Split(int index, int parts, int total);
    // The part of `parts` over `total` that holds `at`.
    static int PartOf(int at, int parts, int total);

    int m_records = 0;
    int m_fineBins = 0;
};

} // namespace quib
