#!/usr/bin/env bash
# Runs clang-tidy (the checks of .clang-tidy, every warning an error) on every source file of
# src/ built in BUILD_DIR, and fails when any file has a warning. Usage: tidy.sh BUILD_DIR
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="$(cd "$1" && pwd)"
# The build is GCC's: its compile commands may hold an option clang does not know, which
# clang-tidy would stop at. They are read from a copy with those options taken out.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
sed -e 's/ -fvect-cost-model=[a-z]*//g' "$build_dir/compile_commands.json" \
    >"$work/compile_commands.json"
status=0
run-clang-tidy -quiet -p "$work" -j "$(nproc)" "$root/src/.*\.cpp$" >"$work/out.txt" 2>&1 ||
    status=$?
# Only the findings, without colours: not the command lines and counts clang-tidy prints for
# every file.
sed -e 's/\x1b\[[0-9;]*m//g' "$work/out.txt" |
    grep -v -e '^clang-tidy' -e 'warnings\? generated' -e '^Suppressed' \
        -e '^Use -header-filter' -e '^$' || true
exit "$status"
