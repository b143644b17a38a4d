#!/usr/bin/env bash
# Configures and builds one configuration. Usage: build.sh BUILD_DIR [cmake options...]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="$1"
shift
launcher=()
if command -v ccache >/dev/null 2>&1; then
    # Rebuilds and other clones of the tree (CI's, a second worktree) reuse what was compiled
    # before: paths are taken relative to the tree, so the same sources hit the same entries.
    export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$build_dir" -G Ninja "${launcher[@]}" "$@" >/dev/null
cmake --build "$build_dir"
