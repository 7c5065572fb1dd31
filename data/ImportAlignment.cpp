#include "ImportAlignment.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

// For every record number, a min-heap of the positions >= i that hold an
// imported record with that number. Position i is always the smallest entry
// of its own number's heap, so every update touches a heap's top only.
class PositionsByNumber {
  public:
    explicit PositionsByNumber(const CLatticeRecordArray& records) {
        // Sort compact (number, position) pairs rather than reaching into the
        // records for every comparison.
        const int count = records.GetSize();
        std::vector<std::pair<std::int32_t, int>> keyed(static_cast<std::size_t>(count));
        for (int j = 0; j < count; ++j)
            keyed[static_cast<std::size_t>(j)] = {records[j].m_nRecordNumber, j};
        std::sort(keyed.begin(), keyed.end());
        m_positions.resize(keyed.size());
        for (std::size_t k = 0; k < keyed.size();) {
            const std::int32_t number = keyed[k].first;
            const std::size_t first = k;
            for (; k < keyed.size() && keyed[k].first == number; ++k)
                m_positions[k] = keyed[k].second;
            // Ascending positions already form a valid heap.
            m_groups.push_back({number, static_cast<int>(first), static_cast<int>(k - first)});
        }
    }

    // The heap of a number, or nullptr when no imported record carries it.
    struct Group {
        std::int32_t number;
        int first;
        int size;
    };
    Group* Find(std::int32_t number) {
        auto it = std::lower_bound(m_groups.begin(), m_groups.end(), number,
                                   [](const Group& g, std::int32_t n) { return g.number < n; });
        return it != m_groups.end() && it->number == number ? &*it : nullptr;
    }

    int Top(const Group& g) const { return m_positions[static_cast<std::size_t>(g.first)]; }

    void PopTop(Group& g) {
        --g.size;
        if (g.size > 0) {
            Slot(g, 0) = Slot(g, g.size);
            SiftDown(g);
        }
    }

    void ReplaceTop(Group& g, int position) {
        Slot(g, 0) = position;
        SiftDown(g);
    }

  private:
    int& Slot(const Group& g, int k) { return m_positions[static_cast<std::size_t>(g.first + k)]; }

    void SiftDown(const Group& g) {
        int k = 0;
        for (;;) {
            int smallest = k;
            const int left = 2 * k + 1;
            const int right = left + 1;
            if (left < g.size && Slot(g, left) < Slot(g, smallest))
                smallest = left;
            if (right < g.size && Slot(g, right) < Slot(g, smallest))
                smallest = right;
            if (smallest == k)
                return;
            std::swap(Slot(g, k), Slot(g, smallest));
            k = smallest;
        }
    }

    std::vector<int> m_positions;
    std::vector<Group> m_groups;
};

} // namespace

void AlignRecordsByNumber(const CLatticeRecordArray& primary, CLatticeRecordArray& imported) {
    const int steps = std::min(primary.GetSize(), imported.GetSize());
    if (steps == 0)
        return;
    PositionsByNumber positions(imported);
    for (int i = 0; i < steps; ++i) {
        // Position i is settled after this step: take it out of its heap.
        PositionsByNumber::Group* here = positions.Find(imported[i].m_nRecordNumber);
        PositionsByNumber::Group* wanted = positions.Find(primary[i].m_nRecordNumber);
        if (wanted == nullptr || wanted->size == 0 || wanted == here) {
            positions.PopTop(*here);
            continue;
        }
        const int j = positions.Top(*wanted);
        positions.PopTop(*wanted);
        positions.ReplaceTop(*here, j);
        std::swap(imported[i], imported[j]);
    }
}
