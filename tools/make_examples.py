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


def write(path, dimension, records, title):
    lines = [title, f"DIM={dimension}", "CONV_SECTION"]
    for number, values in records:
        lines.append(f"({number}) " + " ".join(str(v) for v in values[32 - dimension:]))
    lines.append("END")
    Path(path).write_text("\n".join(lines) + "\n")


def repeat_of(records, rng):
    """The same run read again: its records shuffled, every 17th missing,
    and a few records whose counts differ in a few of the nodes the file
    gives, so that a comparison of the two has something to show."""
    repeated = [(number, list(values)) for number, values in records if number % 17 != 0]
    rng.shuffle(repeated)
    for number, values in rng.sample(repeated, 6):
        for node in rng.sample(range(6, 32), rng.randint(1, 3)):
            values[node] += rng.choice([-2, -1, 1, 2, 5]) * (1 + values[node] // 10)
    return repeated


def main():
    out = Path(__file__).resolve().parent.parent / "examples"
    out.mkdir(exist_ok=True)
    rng = random.Random(1208)
    run_a = [(number, record_values(rng)) for number in range(1, 321)]
    write(out / "run-a.dat", 26, run_a, "Pair and higher counts, run A")
    write(out / "run-a-repeat.dat", 26, repeat_of(run_a, random.Random(1209)),
          "Pair and higher counts, run A again: shuffled, every seventeenth record missing")
    rng = random.Random(1210)
    write(out / "run-b.dat", 32, [(number, record_values(rng)) for number in range(101, 361)],
          "All subset counts, run B")


if __name__ == "__main__":
    main()
