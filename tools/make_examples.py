#!/usr/bin/env python3
"""Writes the example data files under examples/ (run once; the files are committed)."""
import random
from pathlib import Path

LEVELS = [0] + [1] * 5 + [2] * 10 + [3] * 10 + [4] * 5 + [5]
# Subsets as bit masks in node order: level by level, alphabetical within a level.
MASKS = sorted(range(32), key=lambda m: (bin(m).count("1"), [c for i, c in enumerate("ABCDE") if m >> i & 1]))


def record_values(rng):
    """Counts that tend to grow with the subset: a few seed subsets carry
    a count, and every superset of a seed carries at least as much."""
    seeds = rng.sample(range(32), rng.choice([1, 2, 2, 3, 4]))
    values = []
    for mask in MASKS:
        covering = [s for s in seeds if mask & MASKS[s] == MASKS[s]]
        if covering:
            value = rng.randint(1, 40) * (1 + bin(mask).count("1"))
            if rng.random() < 0.02:
                value = rng.randint(10000, 250000)
        else:
            value = 0 if rng.random() < 0.9 else -rng.randint(1, 3)
        values.append(value)
    if rng.random() < 0.03:
        values[rng.randrange(32)] = -32001
    return values


def write(path, dimension, numbers, rng, title):
    lines = [title, f"DIM={dimension}", "CONV_SECTION"]
    for number in numbers:
        values = record_values(rng)[32 - dimension:]
        lines.append(f"({number}) " + " ".join(str(v) for v in values))
    lines.append("END")
    Path(path).write_text("\n".join(lines) + "\n")


def main():
    out = Path(__file__).resolve().parent.parent / "examples"
    out.mkdir(exist_ok=True)
    rng = random.Random(1208)
    write(out / "run-a.dat", 26, range(1, 321), rng, "Pair and higher counts, run A")
    imported = [n for n in range(1, 321) if n % 17 != 0]
    rng.shuffle(imported)
    write(out / "run-a-repeat.dat", 26, imported, rng, "Pair and higher counts, run A repeated, shuffled")
    write(out / "run-b.dat", 32, range(101, 361), rng, "All subset counts, run B")


if __name__ == "__main__":
    main()
