#!/usr/bin/env bash
# Fails on every C++ file of the tree that clang-format, with the repo's
# .clang-format, would change; names each and shows the change.
#   check-format.sh SOURCE_DIR CLANG_FORMAT
set -euo pipefail
cd "$1"
clang_format=$2
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t listed < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h')
else
    mapfile -t listed < <(find . -path './build*' -prune -o -type f \( -name '*.cpp' -o -name '*.h' \) -print)
fi
files=()
for file in "${listed[@]}"; do
    [[ -f $file ]] && files+=("$file")
done
((${#files[@]})) || { echo "check-format: no C++ files found in $1" >&2; exit 1; }

mapfile -t off < <("$clang_format" --dry-run --Werror "${files[@]}" 2>&1 |
    sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' | sort -u)
if ((${#off[@]})); then
    echo "check-format: ${#off[@]} file(s) not formatted as .clang-format says; run clang-format -i on:" >&2
    printf '  %s\n' "${off[@]}" >&2
    for file in "${off[@]}"; do
        "$clang_format" "$file" | diff -u --label "$file" --label "$file (formatted)" "$file" - >&2 || true
    done
    exit 1
fi
echo "check-format: ${#files[@]} files formatted as .clang-format says"
