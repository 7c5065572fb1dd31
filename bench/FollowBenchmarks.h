#pragma once

class TempDir;

// Follow File on a file of `records` records that grows by `appended` at a
// time, with an import of the same size and without; beside it, reading the
// appended records alone, pairing the datasets alone and a whole reload.
void RegisterFollowBenchmarks(const TempDir& folder, int records, int appended);
