#!/usr/bin/env bash
# Fails when clang-format (with the repository's .clang-format) would change a tracked C++ source of
# src, libs, tools, tests or bench; names each such file.
set -euo pipefail
cd "$(dirname "$0")/.."
format=${CLANG_FORMAT:-clang-format}
if ! command -v "$format" >/dev/null; then
    echo "check-format: $format not found" >&2
    exit 2
fi
mapfile -t files < <(git ls-files -- 'src/*.cpp' 'src/*.h' 'libs/*.cpp' 'libs/*.h' 'tools/*.cpp' 'tools/*.h' \
    'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h')
bad=()
for file in "${files[@]}"; do
    [ -f "$file" ] || continue
    if ! "$format" --dry-run --Werror "$file" >/dev/null 2>&1; then
        bad+=("$file")
    fi
done
if [ ${#bad[@]} -gt 0 ]; then
    for file in "${bad[@]}"; do
        echo "$file: not formatted as .clang-format says (run clang-format -i $file)"
    done
    echo "check-format: ${#bad[@]} of ${#files[@]} files differ" >&2
    exit 1
fi
echo "check-format: ${#files[@]} files formatted"
