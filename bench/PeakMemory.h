#pragma once

#include <functional>

// Runs `work` in a forked child and returns how far its peak resident memory
// rose above what the child held before (bytes), or -1 when it could not be
// measured. The child starts from a copy of this process, so nothing that
// ran here earlier raises the peak.
long long PeakBytesAddedBy(const std::function<void()>& work);
