#!/usr/bin/python3
"""Appends records to a data file of dimension 26 as a running experiment does.

  append_records.py PATH FIRST COUNT RATE
      Appends records FIRST, FIRST + 1, ... to PATH, COUNT of them, RATE a
      second, in a write of complete lines every 10 ms; after each write
      prints the time (the monotonic clock's seconds) and the last record
      number written.
"""

import os
import sys
import time

BATCHES_PER_SECOND = 100


def record(number):
    values = " ".join(str((number * (node + 7)) % 211) for node in range(26))
    return f"({number}) {values}\n"


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    path, first, count, rate = sys.argv[1], *map(int, sys.argv[2:])
    batch = max(1, rate // BATCHES_PER_SECOND)
    fd = os.open(path, os.O_WRONLY | os.O_APPEND)
    start = time.monotonic()
    written = 0
    while written < count:
        size = min(batch, count - written)
        lines = "".join(record(first + written + n) for n in range(size))
        os.write(fd, lines.encode())
        written += size
        print(f"{time.monotonic():.3f} {first + written - 1}", flush=True)
        # On schedule however long a write took.
        delay = start + written / rate - time.monotonic()
        if delay > 0:
            time.sleep(delay)
    os.close(fd)


if __name__ == "__main__":
    main()
