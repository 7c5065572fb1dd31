#pragma once

#include "LatticeRecord.h"

#include <cstddef>
#include <cstdint>
#include <utility>

// The growable array of records, by value, in one contiguous block.
//
// The block is an anonymous memory mapping that grows with mremap: growing
// moves page tables instead of copying records, so reading a large file never
// holds the old and the new block at once. Reserved but untouched capacity
// costs address space only.
class CLatticeRecordArray {
  public:
    CLatticeRecordArray() = default;
    CLatticeRecordArray(const CLatticeRecordArray&) = delete;
    CLatticeRecordArray& operator=(const CLatticeRecordArray&) = delete;
    ~CLatticeRecordArray();

    // Copies the record into a new last element and returns its index.
    // Throws std::bad_alloc when no memory can be had.
    int Add(const CLatticeRecord& record) {
        if (m_nSize == m_nCapacity)
            Grow(static_cast<std::size_t>(m_nSize) + 1);
        m_pData[m_nSize] = record;
        return m_nSize++;
    }

    int GetSize() const { return m_nSize; }

    // No bounds test, as for the framework's array.
    CLatticeRecord& operator[](int index) { return m_pData[index]; }
    const CLatticeRecord& operator[](int index) const { return m_pData[index]; }

    // Shrinking keeps the storage; growing appends records that hold 0 in every
    // value and as their number. Throws std::bad_alloc when growing fails.
    void SetSize(int newSize);

    // Destroys every element and frees the storage.
    void RemoveAll();

    // Returns unused capacity to the system.
    void FreeExtra();

    // Copies `other`'s records after the last; throws std::bad_alloc, and
    // changes nothing, when no memory can be had.
    void Append(const CLatticeRecordArray& other);

    // Makes room for at least `capacity` records without changing the size.
    void Reserve(std::size_t capacity);

    // Trades contents with `other`, copying no record.
    void Swap(CLatticeRecordArray& other) noexcept {
        std::swap(m_pData, other.m_pData);
        std::swap(m_nSize, other.m_nSize);
        std::swap(m_nCapacity, other.m_nCapacity);
    }

  private:
    void Grow(std::size_t minCapacity);
    void Remap(std::size_t capacity);

    CLatticeRecord* m_pData = nullptr;
    int m_nSize = 0;
    int m_nCapacity = 0;
};
