#!/usr/bin/env python3
"""Fails where a source file includes from a layer it must not.

The Qt-free code (the data, the lattice, the query, the statistics, the
summary, the overview's binning, the errors) includes no Qt header and nothing of
framework/; what Quib adds around the window (panels/, commands/), the
overview and the command line include nothing of framework/, the stand-in
for the application framework.

    check-layers.py SOURCE_DIR
"""

import pathlib
import re
import sys

# Folder, and the files of it that are exempt, as glob patterns.
QT_FREE = {
    "data": ["MyQuibDoc.*"],
    "lattice": [],
    "query": [],
    "statistics": [],
    "summary": [],
    "errors": [],
    "overview": ["OverviewFigure*", "FigureAxes.*"],
}
NO_FRAMEWORK = ["panels", "commands", "overview", "cli"]

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.MULTILINE)


def sources(root, folder, exempt=()):
    for path in sorted((root / folder).glob("*")):
        if path.suffix in (".h", ".cpp") and not any(path.match(p) for p in exempt):
            yield path


def main():
    root = pathlib.Path(sys.argv[1])
    framework = {p.name for p in (root / "framework").glob("*.h")}
    problems = []
    for folder, exempt in QT_FREE.items():
        for path in sources(root, folder, exempt):
            for bracket, name in INCLUDE.findall(path.read_text(encoding="utf-8")):
                if bracket == "<" and re.match(r"Qt|Q[A-Z]", name):
                    problems.append(f"{path.relative_to(root)}: Qt in the Qt-free code: {name}")
    for folder in NO_FRAMEWORK:
        for path in sources(root, folder):
            for bracket, name in INCLUDE.findall(path.read_text(encoding="utf-8")):
                if bracket == '"' and name in framework:
                    problems.append(
                        f"{path.relative_to(root)}: the framework's stand-in in {folder}/: {name}")
    for problem in problems:
        print(problem, file=sys.stderr)
    if problems:
        return 1
    print("check-layers: every file includes from the layers it may")
    return 0


if __name__ == "__main__":
    sys.exit(main())
