#pragma once

#include "LatticeRecordArray.h"

#include <cstddef>
#include <string>

// Fills an empty array with `count` records whose numbers and values are
// distinct, as an earlier import would leave them.
void FillExistingRecords(CLatticeRecordArray& records, int count);

// Reads `bytes` from a memory file, `chunkBytes` at a time, into an array
// holding `existing` records, and compares the outcome with the reference
// reading. Empty when they agree, else the first difference.
std::string CompareDescriptorRead(const std::string& bytes, int existing, std::size_t chunkBytes);
// The same for a memory file holding `stored`, which must read as `bytes`
// (their compressed form, say).
std::string CompareDescriptorRead(const std::string& bytes, const std::string& stored, int existing,
                                  std::size_t chunkBytes);

// The same through the path of a file that holds `bytes`.
std::string CompareFileRead(const std::string& path, const std::string& bytes, int existing);

// A memory file holding `bytes`, positioned at its start; -1 on failure.
int MemoryFileWith(const std::string& bytes);

// `bytes` as C string literal text, non-printable bytes as \xNN, cut after
// `limit` bytes.
std::string EscapeBytes(const std::string& bytes, std::size_t limit = 4096);
