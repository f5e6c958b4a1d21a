#!/usr/bin/env bash
# Fails when a C++ file of the project does not follow .clang-format.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    files="$(git ls-files '*.cpp' '*.h')"
else
    files="$(find . -path ./build\* -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)"
fi
# shellcheck disable=SC2086
clang-format --dry-run --Werror $files
