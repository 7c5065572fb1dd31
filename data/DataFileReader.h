#pragma once

#include "LatticeRecordArray.h"

#include <cstddef>
#include <functional>
#include <string>

// The one message the reader can give, shown through a hook so that the data
// logic needs no user interface: a message box in the window, a line on
// standard error on the command line.
inline constexpr const char* kWrongDimensionMessage =
    "This file has the wrong dimension. Should be 26 or 32";

using ReaderWarning = std::function<void(const char* message)>;

struct ReadOutcome {
    bool read = false; // false: the file could not be opened or read; nothing changed
    int error = 0;     // errno describing why, when not read
};

// How a file that could not be read is told, wherever it is told:
// "cannot open 'PATH': REASON", REASON the system's description of `error`.
std::string CannotOpenMessage(const std::string& path, int error);

// Reads a data file into one dataset, appending its records. On failure
// (cannot open, cannot read, out of memory) the dimension and the records are
// exactly as they were before the call.
ReadOutcome ReadLatticeFile(const std::string& path, int& dimension, CLatticeRecordArray& records,
                            const ReaderWarning& warn);

// Whether the file can be opened and read, from its first byte: a bad file
// is told before anything else is started.
ReadOutcome ProbeLatticeFile(const std::string& path);

// The same from an open descriptor, reading `chunkBytes` at a time; the
// descriptor stays open. Small chunks exercise lines that straddle reads.
inline constexpr std::size_t kDefaultReadChunk = std::size_t{1} << 20;
ReadOutcome ReadLatticeDescriptor(int fd, int& dimension, CLatticeRecordArray& records,
                                  const ReaderWarning& warn,
                                  std::size_t chunkBytes = kDefaultReadChunk);
