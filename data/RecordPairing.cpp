#include "RecordPairing.h"

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

} // namespace

bool PairRecordsByNumber(const CLatticeRecordArray& primary, const CLatticeRecordArray& imported,
                         std::vector<int>& partners) {
    try {
        std::vector<int> paired(static_cast<std::size_t>(primary.GetSize()), kNoPartner);
        std::vector<Key> scratch;
        const std::vector<Key> wanted = SortedKeys(primary, scratch);
        const std::vector<Key> offered = SortedKeys(imported, scratch);
        // Both lists run by number, then by index: walking them side by side
        // gives each number's primary records its imported ones in order.
        std::size_t next = 0;
        for (const Key want : wanted) {
            const std::uint32_t number = NumberOf(want);
            while (next < offered.size() && NumberOf(offered[next]) < number)
                ++next;
            if (next < offered.size() && NumberOf(offered[next]) == number)
                paired[static_cast<std::size_t>(IndexOf(want))] = IndexOf(offered[next++]);
        }
        partners.swap(paired);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace quib
