#!/usr/bin/env python3
"""quib --summary as text, CSV and JSON, read back with Python's csv and json
modules and compared value by value with a plain model of the rules: the
values as read or transformed over the subset lattice, records paired by
number, minimal nodes, and differences over the nodes both files give.

usage: summary_formats.py QUIB EXAMPLES [--pandas | --one-format-each]
With --pandas, only reads the CSV with pandas.read_csv (pandas must be
installed: without it the test fails). With --one-format-each, each case
and set of flags runs in one format, the formats taken in turn, so that
every format still meets every set of flags: for a program that starts
slowly, as under the sanitizers."""

import csv
import io
import itertools
import json
import os
import random
import subprocess
import sys
import tempfile

NODES = 32
MISSING = -32001
# Node order: level by level, alphabetically within a level.
SUBSETS = [frozenset(c) for k in range(6) for c in itertools.combinations("abcde", k)]
LABELS = ["".join(sorted(s)) or "{}" for s in SUBSETS]
TITLES = {"read": "", "mobius": ", Möbius inversion", "subsets": ", sums over subsets",
          "supersets": ", sums over supersets"}


def read_data_file(path):
    """(dimension, [(number, 32 values)]) of a file of plain "(n) values"
    lines; the values fill the last `dimension` nodes."""
    dimension, records = -1, []
    with open(path) as f:
        for line in f:
            line = line.rstrip("\n")
            if line.startswith("DIM="):
                dimension = int(line[4:])
            elif line == "END" or line == "":
                break
            elif line.startswith("("):
                number, rest = line[1:].split(")", 1)
                values = [int(v) for v in rest.split()]
                assert len(values) == dimension, path
                records.append((int(number), [0] * (NODES - dimension) + values))
    return dimension, records


def transformed(values, transform):
    """The values shown and, node by node, whether each is missing: as read,
    below -31999; transformed, a sum that such a value enters."""
    if transform == "read":
        return list(values), [v < -31999 for v in values]
    shown, gone = [], []
    for s in SUBSETS:
        if transform == "supersets":
            terms = [(1, t) for t in range(NODES) if SUBSETS[t] >= s]
        else:
            terms = [((-1) ** len(s - SUBSETS[t]) if transform == "mobius" else 1, t)
                     for t in range(NODES) if SUBSETS[t] <= s]
        missing = any(values[t] < -31999 for _, t in terms)
        shown.append(MISSING if missing else sum(sign * values[t] for sign, t in terms))
        gone.append(missing)
    return shown, gone


def differ(a, a_missing, b, b_missing):
    """Two missing values never differ, one missing and one present do."""
    return a_missing != b_missing or (not a_missing and a != b)


def minimal(values):
    return [LABELS[n] for n in range(NODES) if values[n] > 0 and not any(
        values[m] > 0 for m in range(NODES)
        if SUBSETS[m] < SUBSETS[n] and len(SUBSETS[n] - SUBSETS[m]) == 1)]


def carried(dimension, transform):
    """Whether each node has a value: always with a transform."""
    return [transform != "read" or (dimension > 0 and n >= NODES - dimension)
            for n in range(NODES)]


class Model:
    """What the summary must say for FILE with each FILE2 imported."""

    def __init__(self, primary, imports, transform):
        self.transform = transform
        self.dimension, self.records = read_data_file(primary)
        self.imported_dimension, imported = -1, []
        for path in imports:
            if os.path.exists(path):
                self.imported_dimension, more = read_data_file(path)
                imported += more
        self.imported = self.imported_dimension > 0
        # Each primary record takes the earliest imported record of its
        # number that no earlier one took.
        taken = set()
        self.partners = []
        for number, _ in self.records:
            partner = next((k for k, (n, _) in enumerate(imported)
                            if n == number and k not in taken), None)
            if partner is not None:
                taken.add(partner)
            self.partners.append(None if partner is None else imported[partner][1])
        self.carried = carried(self.dimension, transform)
        self.imported_carried = carried(self.imported_dimension, transform)
        self.compared = [a and b for a, b in zip(self.carried, self.imported_carried)]

    def rows(self):
        for k, ((number, values), partner) in enumerate(zip(self.records, self.partners)):
            shown, missing = transformed(values, self.transform)
            other, other_missing = (transformed(partner, self.transform) if partner
                                    else ([MISSING] * NODES, [True] * NODES))
            yield {
                "position": k + 1, "number": number, "values": shown, "partner": other,
                "paired": partner is not None, "minimal": minimal(shown),
                "imported_minimal": minimal(other),
                "differing": [LABELS[n] for n in range(NODES)
                              if self.compared[n]
                              and differ(shown[n], missing[n], other[n], other_missing[n])],
                "unlike missing": partner is not None and any(
                    missing[n] and other_missing[n] and shown[n] != other[n]
                    for n in range(NODES) if self.compared[n]),
            }


def expected_text(model, highlight, differences):
    lines = []

    def summary(row, values):
        lines.append("Record nr %d%s <%s>" % (row["number"], TITLES[model.transform],
                                             "".join(" %d" % v for v in values)))

    for row in model.rows():
        summary(row, row["values"])
        if highlight:
            lines.append(" ".join(["Minimal nodes:"] + row["minimal"]))
        if not model.imported:
            continue
        summary(row, row["partner"])
        if highlight:
            lines.append(" ".join(["Minimal nodes:"] + row["imported_minimal"]))
        if differences:
            lines.append(" ".join(["Differing nodes:"] + (row["differing"] if row["paired"]
                                                          else ["-"])))
    return "".join(line + "\n" for line in lines)


def expected_csv(model, highlight, differences):
    header = ["position", "number"] + LABELS
    if model.imported:
        header += ["imported_" + label for label in LABELS]
    if highlight:
        header += ["minimal"] + (["imported_minimal"] if model.imported else [])
    if differences and model.imported:
        header += ["differing"]
    rows = [header]
    for row in model.rows():
        fields = [str(row["position"]), str(row["number"])]
        fields += [str(v) if c else "" for v, c in zip(row["values"], model.carried)]
        if model.imported:
            fields += [str(v) if c and row["paired"] else ""
                       for v, c in zip(row["partner"], model.imported_carried)]
        if highlight:
            fields.append(" ".join(row["minimal"]))
            if model.imported:
                fields.append(" ".join(row["imported_minimal"]) if row["paired"] else "")
        if differences and model.imported:
            fields.append(" ".join(row["differing"]) if row["paired"] else "")
        rows.append(fields)
    return rows


def expected_json(model, highlight, differences):
    objects = []
    for row in model.rows():
        obj = {"position": row["position"], "number": row["number"],
               "values": [v if c else None for v, c in zip(row["values"], model.carried)]}
        if model.imported:
            obj["imported"] = ([v if c else None
                                for v, c in zip(row["partner"], model.imported_carried)]
                               if row["paired"] else None)
        if highlight:
            obj["minimal"] = row["minimal"]
            if model.imported:
                obj["imported_minimal"] = row["imported_minimal"] if row["paired"] else None
        if differences and model.imported:
            obj["differing"] = row["differing"] if row["paired"] else None
        objects.append(obj)
    return objects


class Checker:
    def __init__(self, quib, folder):
        self.quib = quib
        self.env = dict(os.environ, XDG_CONFIG_HOME=folder, XDG_RUNTIME_DIR=folder)
        self.failures = 0
        self.seen = set()  # what the cases exercised, so that none passes vacuously
        self.formats_seen = set()

    def run(self, args):
        r = subprocess.run([self.quib] + args, capture_output=True, env=self.env)
        if r.returncode != 0:
            raise AssertionError("%s: status %d: %s" % (args, r.returncode, r.stderr))
        return r.stdout.decode("utf-8")

    def check(self, what, got, expected):
        if got != expected:
            self.failures += 1
            print("FAIL %s" % what)
            if isinstance(got, list) and isinstance(expected, list):
                for k, (a, b) in enumerate(zip(got, expected)):
                    if a != b:
                        print("  first difference at item %d:\n  got      %r\n  expected %r"
                              % (k, a, b))
                        break
                else:
                    print("  %d items instead of %d" % (len(got), len(expected)))
            else:
                print("  got      %r\n  expected %r" % (got[:400], expected[:400]))

    def case(self, name, primary, imports, transform, highlight, differences, formats):
        model = Model(primary, imports, transform)
        args = ["--summary", "--values", transform]
        args += ["--highlight"] if highlight else []
        args += ["--differences"] if differences else []
        for path in imports:
            args += ["--import", path]
        args.append(primary)
        what = "%s --values %s%s%s" % (name, transform, " --highlight" if highlight else "",
                                       " --differences" if differences else "")

        if "text" in formats:
            text = self.run(args)
            self.check(what + " text", text, expected_text(model, highlight, differences))
            if transform == "read" and not highlight and not differences:
                self.check(what + " text without --values", self.run(args[:1] + args[3:]), text)

        if "csv" in formats:
            raw = self.run(args[:1] + ["--format", "csv"] + args[1:])
            self.check(what + " csv lines end with CR LF",
                       raw.count("\r\n"), raw.count("\n"))
            rows = list(csv.reader(io.StringIO(raw, newline="")))
            self.check(what + " csv", rows, expected_csv(model, highlight, differences))

        if "json" in formats:
            lines = self.run(args[:1] + ["--format", "json"] + args[1:]).splitlines()
            objects = [json.loads(line) for line in lines]
            expected = expected_json(model, highlight, differences)
            self.check(what + " json", objects, expected)
            self.check(what + " json keys in order", [list(o) for o in objects],
                       [list(o) for o in expected])
            self.check(what + " json spacing", lines, [json.dumps(o) for o in expected])
        self.formats_seen.update(formats)

        for row in model.rows():
            self.seen.add("unpaired" if model.imported and not row["paired"] else "paired")
            self.seen.update(["minimal"] if row["minimal"] else [])
            self.seen.update(["differing"] if differences and row["differing"] else [])
            self.seen.update(["missing"] if MISSING in row["values"] else [])
            self.seen.update(["unlike missing"] if differences and row["unlike missing"] else [])
        if model.imported and model.dimension != model.imported_dimension:
            self.seen.add("mixed dimensions")


def write_generated(folder):
    """Files with missing values (any value below -31999), values at the
    edges of 32 bits, repeated numbers, records without partner, and imports
    that mostly repeat the primary run."""
    rng = random.Random(11)
    edge = [-31999, -32000, -32001, -40000, -2147483648, 2147483647]

    def value():
        k = rng.random()
        if k < 0.35:
            return 0
        if k < 0.75:
            return rng.randint(1, 200)
        if k < 0.9:
            return -rng.randint(1, 200)
        return rng.choice(edge)

    def write(name, dimension, records):
        path = os.path.join(folder, name)
        with open(path, "w") as f:
            f.write("Generated\nDIM=%d\nCONV_SECTION\n" % dimension)
            for number, values in records:
                f.write("(%d) %s\n" % (number, " ".join(map(str, values))))
            f.write("END\n")
        return path

    primary = [(n, [value() for _ in range(32)]) for n in list(range(1, 61)) + [5, 5, 90]]
    repeat = [(n, [v if rng.random() < 0.8 else value() for v in values])
              for n, values in primary if rng.random() < 0.8] + [(5, [1] * 32), (200, [2] * 32)]
    # Values drawn "/" on both sides, but as other numbers: never differing.
    unlike = [-32000, -32001, -40000, -2147483648]
    primary.append((61, unlike * 8))
    repeat.append((61, unlike[::-1] * 8))
    rng.shuffle(repeat)
    return {
        "g32": write("g32.dat", 32, primary),
        "g32-repeat": write("g32-repeat.dat", 32, repeat),
        "g26-repeat": write("g26-repeat.dat", 26, [(n, v[6:]) for n, v in repeat]),
        "g26": write("g26.dat", 26, [(n, v[6:]) for n, v in primary]),
        "empty": write("empty.dat", 32, []),
    }


def pandas_check(quib, examples, folder):
    import pandas
    args = [quib, "--summary", "--format", "csv", "--highlight", "--differences", "--import",
            os.path.join(examples, "run-a-repeat.dat"), os.path.join(examples, "run-a.dat")]
    env = dict(os.environ, XDG_CONFIG_HOME=folder, XDG_RUNTIME_DIR=folder)
    raw = subprocess.run(args, capture_output=True, env=env, check=True).stdout.decode()
    frame = pandas.read_csv(io.StringIO(raw))
    rows = list(csv.reader(io.StringIO(raw, newline="")))
    ok = list(frame.columns) == rows[0] and len(frame) == len(rows) - 1
    ok = ok and all(pandas.isna(frame["{}"])) and frame["ab"].tolist() == [
        int(r[rows[0].index("ab")]) for r in rows[1:]]
    print("pandas.read_csv: %s" % ("agrees" if ok else "DISAGREES"))
    return 0 if ok else 1


def main():
    quib, examples = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory() as folder:
        if sys.argv[3:] == ["--pandas"]:
            return pandas_check(quib, examples, folder)
        checker = Checker(quib, folder)
        g = write_generated(folder)
        ex = {name: os.path.join(examples, name + ".dat")
              for name in ["run-a", "run-a-repeat", "run-b"]}
        cases = [
            ("run-a with run-a-repeat", ex["run-a"], [ex["run-a-repeat"]]),
            ("run-b", ex["run-b"], []),
            ("run-b with run-a", ex["run-b"], [ex["run-a"]]),
            ("run-a with run-b", ex["run-a"], [ex["run-b"]]),
            ("g32 with g32-repeat", g["g32"], [g["g32-repeat"]]),
            ("g32 with g32-repeat, then g26-repeat", g["g32"], [g["g32-repeat"], g["g26-repeat"]]),
            ("g26 with g32-repeat", g["g26"], [g["g32-repeat"]]),
            ("no records", g["empty"], [g["g32"]]),
        ]
        formats = ["text", "csv", "json"]
        turn = itertools.count()

        def formats_now():
            return [formats[next(turn) % 3]] if sys.argv[3:] == ["--one-format-each"] else formats

        for name, primary, imports in cases:
            for flags in [(False, False), (True, False), (False, True), (True, True)]:
                checker.case(name, primary, imports, "read", *flags, formats_now())
            for transform in ["mobius", "subsets", "supersets"]:
                checker.case(name, primary, imports, transform, True, True, formats_now())
        wanted = {"paired", "unpaired", "minimal", "differing", "missing", "unlike missing",
                  "mixed dimensions"}
        checker.check("what the cases exercised", sorted(checker.seen & wanted), sorted(wanted))
        checker.check("the formats run", sorted(checker.formats_seen), sorted(formats))
        print("%d failures" % checker.failures)
        return 1 if checker.failures else 0


if __name__ == "__main__":
    sys.exit(main())
