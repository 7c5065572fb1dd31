#!/usr/bin/env python3
"""quib --statistics as CSV and JSON, read back with Python's csv and json
modules and compared field by field with the text: the same runs and nodes
in the same order, the same figures, "-" in text where CSV has an empty
field and JSON null, and the same exit status.

usage: statistics_formats.py QUIB EXAMPLES"""

import csv
import io
import json
import os
import subprocess
import sys
import tempfile

import summary_formats
from summary_formats import LABELS, write_generated

COLUMNS = ["run", "node", "count", "min", "max", "mean", "positive", "minimal"]


def typed(column, field):
    """A text field as JSON has it."""
    if column in ("run", "node"):
        return field
    if field == "-":
        return None
    return float(field) if column == "mean" else int(field)


class Checker(summary_formats.Checker):
    def run(self, args):
        r = subprocess.run([self.quib, "--statistics"] + args, capture_output=True,
                           env=self.env)
        if r.returncode not in (0, 3):
            raise AssertionError("%s: status %d: %s" % (args, r.returncode, r.stderr))
        return r.returncode, r.stdout.decode("utf-8")

    def case(self, what, args):
        status, text = self.run(args)
        lines = text.splitlines()
        self.check(what + ": text header", lines[:1], [" ".join(COLUMNS)])
        rows = [line.split(" ") for line in lines[1:]]
        runs = len(rows) // 32
        self.check(what + ": runs and nodes", [row[:2] for row in rows],
                   [[run, label] for run in ["primary", "imported", "difference"][:runs]
                    for label in LABELS])
        self.check(what + ": status", status, 0 if rows else 3)

        csv_status, raw = self.run(["--format", "csv"] + args)
        self.check(what + ": csv lines end with CR LF", raw.count("\r\n"), raw.count("\n"))
        table = list(csv.reader(io.StringIO(raw, newline="")))
        self.check(what + ": csv", table,
                   [COLUMNS] + [["" if field == "-" else field for field in row]
                                for row in rows])
        self.check(what + ": csv status", csv_status, status)

        json_status, raw = self.run(["--format", "json"] + args)
        objects = [json.loads(line) for line in raw.splitlines()]
        self.check(what + ": json keys", [list(o) for o in objects], [COLUMNS] * len(rows))
        self.check(what + ": json", objects,
                   [{column: typed(column, field) for column, field in zip(COLUMNS, row)}
                    for row in rows])
        # The mean as the text writes it, three digits after the point.
        self.check(what + ": json means", [line.split('"mean": ')[1].split(",")[0]
                                           for line in raw.splitlines()],
                   ["null" if row[5] == "-" else row[5] for row in rows])
        self.check(what + ": json status", json_status, status)

        self.seen.update(["nothing selected"] if not rows else [])
        self.seen.update(["difference"] if runs == 3 else [])
        self.seen.update(["no value"] if any(row[2] == "0" for row in rows) else [])
        self.seen.update(["negative mean"] if any(row[5].startswith("-") and row[5] != "-"
                                                  for row in rows) else [])


def main():
    quib, examples = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory() as folder:
        checker = Checker(quib, folder)
        g = write_generated(folder)
        run_a = os.path.join(examples, "run-a.dat")
        repeat = os.path.join(examples, "run-a-repeat.dat")
        run_b = os.path.join(examples, "run-b.dat")
        cases = [
            ("run-a with run-a-repeat", ["--import", repeat, run_a]),
            ("run-a with run-a-repeat, differing records 100 to 300",
             ["--records", "100-300", "--find", "differs", "--import", repeat, run_a]),
            ("run-b, Moebius inversion", ["--values", "mobius", run_b]),
            ("run-b with run-a, sums over supersets",
             ["--values", "supersets", "--import", run_a, run_b]),
            ("g32 with g32-repeat and g26-repeat",
             ["--import", g["g32-repeat"], "--import", g["g26-repeat"], g["g32"]]),
            ("g26 with g32-repeat, sums over subsets",
             ["--values", "subsets", "--find", "not missing(ab)", "--import", g["g32-repeat"],
              g["g26"]]),
            ("g32, nothing matches", ["--find", "{} > 2147483647", g["g32"]]),
            ("no records", ["--import", g["g32"], g["empty"]]),
        ]
        for what, args in cases:
            checker.case(what, args)
        wanted = {"nothing selected", "difference", "no value", "negative mean"}
        checker.check("what the cases exercised", sorted(checker.seen), sorted(wanted))
        print("%d failures" % checker.failures)
        return 1 if checker.failures else 0


if __name__ == "__main__":
    sys.exit(main())
