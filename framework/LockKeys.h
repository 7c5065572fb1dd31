#pragma once

// Whether a lock key is on. Read from the X server's keyboard indicators;
// where the platform offers no such state (Wayland, offscreen) every lock
// reads as off.

enum class LockKey { Caps, Num, Scroll };

bool IsLockKeyOn(LockKey key);
