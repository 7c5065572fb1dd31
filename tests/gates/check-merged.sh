#!/usr/bin/env bash
# Fails on any file of the tree that still holds the markers an unfinished
# merge leaves (a line beginning "<<<<<<< " or ">>>>>>> ").
#   check-merged.sh SOURCE_DIR
set -euo pipefail
cd "$1"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    found=$(git grep -n -I -E '^(<<<<<<< |>>>>>>> )' -- . || true)
else
    found=$(grep -rn -I -E '^(<<<<<<< |>>>>>>> )' --exclude-dir='build*' --exclude-dir=.git . || true)
fi
if [[ -n $found ]]; then
    echo "check-merged: merge conflict markers left in:" >&2
    echo "$found" >&2
    exit 1
fi
echo "check-merged: no merge conflict markers"
