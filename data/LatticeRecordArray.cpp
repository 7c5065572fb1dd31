#include "LatticeRecordArray.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

namespace {

std::size_t PageSize() {
    static const std::size_t size = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    return size;
}

std::size_t BytesFor(std::size_t capacity) {
    const std::size_t page = PageSize();
    const std::size_t bytes = capacity * sizeof(CLatticeRecord);
    return (bytes + page - 1) / page * page;
}

constexpr std::size_t kHugePageBytes = std::size_t{2} << 20;

} // namespace

CLatticeRecordArray::~CLatticeRecordArray() {
    RemoveAll();
}

void CLatticeRecordArray::Grow(std::size_t minCapacity) {
    const std::size_t doubled = static_cast<std::size_t>(m_nCapacity) * 2;
    Reserve(std::max(minCapacity, doubled));
}

void CLatticeRecordArray::Reserve(std::size_t capacity) {
    if (capacity <= static_cast<std::size_t>(m_nCapacity))
        return;
    if (capacity > static_cast<std::size_t>(INT_MAX))
        capacity = INT_MAX;
    if (capacity <= static_cast<std::size_t>(m_nCapacity))
        throw std::bad_alloc();
    Remap(capacity);
}

void CLatticeRecordArray::Remap(std::size_t capacity) {
    const std::size_t newBytes = BytesFor(capacity);
    void* block;
    if (m_pData == nullptr) {
        block = mmap(nullptr, newBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    } else {
        block = mremap(m_pData, BytesFor(static_cast<std::size_t>(m_nCapacity)), newBytes,
                       MREMAP_MAYMOVE);
    }
    if (block == MAP_FAILED)
        throw std::bad_alloc();
    // Large arrays fill far faster on huge pages: a few hundred faults instead
    // of tens of thousands. Where the kernel offers none this is a no-op.
    if (newBytes >= kHugePageBytes)
        madvise(block, newBytes, MADV_HUGEPAGE);
    m_pData = static_cast<CLatticeRecord*>(block);
    m_nCapacity = static_cast<int>(std::min<std::size_t>(newBytes / sizeof(CLatticeRecord),
                                                         static_cast<std::size_t>(INT_MAX)));
}

void CLatticeRecordArray::SetSize(int newSize) {
    if (newSize < 0)
        newSize = 0;
    if (newSize > m_nSize) {
        Reserve(static_cast<std::size_t>(newSize));
        std::fill(m_pData + m_nSize, m_pData + newSize, CLatticeRecord{});
    }
    m_nSize = newSize;
}

void CLatticeRecordArray::Append(const CLatticeRecordArray& other) {
    if (other.m_nSize == 0)
        return;
    const std::size_t size = static_cast<std::size_t>(m_nSize) + std::size_t(other.m_nSize);
    if (size > static_cast<std::size_t>(INT_MAX))
        throw std::bad_alloc();
    Reserve(size);
    std::copy(other.m_pData, other.m_pData + other.m_nSize, m_pData + m_nSize);
    m_nSize += other.m_nSize;
}

void CLatticeRecordArray::RemoveAll() {
    if (m_pData != nullptr)
        munmap(m_pData, BytesFor(static_cast<std::size_t>(m_nCapacity)));
    m_pData = nullptr;
    m_nSize = 0;
    m_nCapacity = 0;
}

void CLatticeRecordArray::FreeExtra() {
    if (m_nSize == 0) {
        RemoveAll();
        return;
    }
    const std::size_t needed = BytesFor(static_cast<std::size_t>(m_nSize));
    if (needed < BytesFor(static_cast<std::size_t>(m_nCapacity)))
        Remap(static_cast<std::size_t>(m_nSize));
}
