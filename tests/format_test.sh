#!/usr/bin/env bash
# Fails when a C++ source differs from what clang-format makes of it under .clang-format.
# Usage: format_test.sh SOURCE_DIR
set -euo pipefail
cd "$1"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files --cached --others --exclude-standard '*.cpp' '*.h')
else
    mapfile -t files < <(find . -path ./build\* -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
fi
clang-format-14 --dry-run --Werror "${files[@]}"
echo "${#files[@]} files formatted as .clang-format says"
