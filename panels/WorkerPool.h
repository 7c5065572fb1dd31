#pragma once

class QThreadPool;

namespace quib {

// The threads of the window's whole-file work. Not Qt's global pool: Qt's
// own painting hands pieces of a paint to that one and waits for them, so a
// long job there would hold up the window's paints.
QThreadPool& WorkerPool();

} // namespace quib
