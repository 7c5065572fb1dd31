#include "RecordPairing.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <new>

namespace quib {

namespace {

// A record's number in the upper half and its index in the lower half. The
// numbers' order only has to be the same on both sides, so their bits are
// taken as they are.
using Key = std::uint64_t;
constexpr int kNumberShift = 32;

Key MakeKey(std::int32_t number, int index) {
    return (Key{static_cast<std::uint32_t>(number)} << kNumberShift) |
           static_cast<std::uint32_t>(index);
}

std::uint32_t NumberOf(Key key) {
    return static_cast<std::uint32_t>(key >> kNumberShift);
}

int IndexOf(Key key) {
    return static_cast<int>(static_cast<std::uint32_t>(key));
}

// The keys of an array's records sorted by number, equal numbers in index
// order: a stable radix sort over the number's four bytes, which skips a byte
// that every key shares (the upper ones, for the usual small numbers).
std::vector<Key> SortedKeys(const CLatticeRecordArray& records, std::vector<Key>& scratch) {
    const std::size_t count = static_cast<std::size_t>(records.GetSize());
    std::vector<Key> keys(count);
    std::array<std::array<std::size_t, 256>, 4> starts{};
    for (std::size_t k = 0; k < count; ++k) {
        keys[k] = MakeKey(records[static_cast<int>(k)].m_nRecordNumber, static_cast<int>(k));
        for (int byte = 0; byte < 4; ++byte)
            ++starts[byte][(NumberOf(keys[k]) >> (8 * byte)) & 0xFF];
    }
    scratch.resize(count);
    for (int byte = 0; byte < 4 && count > 0; ++byte) {
        std::array<std::size_t, 256>& start = starts[byte];
        const int shift = kNumberShift + 8 * byte;
        if (start[(keys[0] >> shift) & 0xFF] == count)
            continue;
        std::size_t sum = 0;
        for (std::size_t& bucket : start) {
            const std::size_t size = bucket;
            bucket = sum;
            sum += size;
        }
        for (const Key key : keys)
            scratch[start[(key >> shift) & 0xFF]++] = key;
        keys.swap(scratch);
    }
    return keys;
}

// PairRecordsByNumber, giving the imported keys sorted as well.
void PairSorted(const CLatticeRecordArray& primary, const CLatticeRecordArray& imported,
                std::vector<int>& partners, std::vector<Key>& offered) {
    std::vector<int> paired(static_cast<std::size_t>(primary.GetSize()), kNoPartner);
    std::vector<Key> scratch;
    const std::vector<Key> wanted = SortedKeys(primary, scratch);
    std::vector<Key> sorted = SortedKeys(imported, scratch);
    // Both lists run by number, then by index: walking them side by side
    // gives each number's primary records its imported ones in order.
    std::size_t next = 0;
    for (const Key want : wanted) {
        const std::uint32_t number = NumberOf(want);
        while (next < sorted.size() && NumberOf(sorted[next]) < number)
            ++next;
        if (next < sorted.size() && NumberOf(sorted[next]) == number)
            paired[static_cast<std::size_t>(IndexOf(want))] = IndexOf(sorted[next++]);
    }
    partners.swap(paired);
    offered.swap(sorted);
}

} // namespace

bool PairRecordsByNumber(const CLatticeRecordArray& primary, const CLatticeRecordArray& imported,
                         std::vector<int>& partners) {
    try {
        std::vector<Key> offered;
        PairSorted(primary, imported, partners, offered);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool RecordPairing::PairAll(const CLatticeRecordArray& primary, const CLatticeRecordArray& imported,
                            std::vector<int>& partners) {
    Forget();
    try {
        PairSorted(primary, imported, partners, m_offered);
    } catch (const std::bad_alloc&) {
        return false;
    }
    m_importedCount = imported.GetSize();
    for (int k = 0; k < primary.GetSize(); ++k) {
        const std::int32_t number = primary[k].m_nRecordNumber;
        m_highestPrimary = m_anyPrimary ? std::max(m_highestPrimary, number) : number;
        m_anyPrimary = true;
    }
    return true;
}

bool RecordPairing::PairAppended(const CLatticeRecordArray& primary,
                                 const CLatticeRecordArray& imported, std::vector<int>& partners) {
    const std::size_t first = partners.size();
    const auto count = static_cast<std::size_t>(primary.GetSize());
    if (m_importedCount != imported.GetSize() || first > count)
        return PairAll(primary, imported, partners);
    // A number above every earlier one has no earlier record that took its
    // partners: it takes the first imported record with that number.
    bool any = m_anyPrimary;
    std::int32_t highest = m_highestPrimary;
    for (std::size_t k = first; k < count; ++k) {
        const std::int32_t number = primary[static_cast<int>(k)].m_nRecordNumber;
        if (any && number <= highest)
            return PairAll(primary, imported, partners);
        any = true;
        highest = number;
    }
    try {
        for (std::size_t k = first; k < count; ++k) {
            const std::int32_t number = primary[static_cast<int>(k)].m_nRecordNumber;
            const auto found =
                std::lower_bound(m_offered.begin(), m_offered.end(), MakeKey(number, 0));
            partners.push_back(found != m_offered.end() &&
                                       NumberOf(*found) == static_cast<std::uint32_t>(number)
                                   ? IndexOf(*found)
                                   : kNoPartner);
        }
    } catch (const std::bad_alloc&) {
        partners.resize(first);
        return false;
    }
    m_anyPrimary = any;
    m_highestPrimary = highest;
    return true;
}

void RecordPairing::Forget() {
    m_offered.clear();
    m_offered.shrink_to_fit();
    m_importedCount = -1;
    m_anyPrimary = false;
    m_highestPrimary = 0;
}

} // namespace quib
