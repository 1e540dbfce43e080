#!/usr/bin/env bash
# The C++ sources follow .clang-format: a change that does not fails here rather than in review.
# usage: check_format.sh CLANG_FORMAT SOURCE_DIR
set -euo pipefail
clang_format=$1
cd "$2"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z '*.cpp' '*.h'
else
    find . \( -name build\* -prune \) -o \( -name '*.cpp' -o -name '*.h' \) -print0
fi | xargs -0 "$clang_format" --dry-run --Werror
