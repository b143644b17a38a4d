#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
# CI sets ZELVANE_WERROR=ON: a warning fails its build. A user's build only shows them.
"$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZELVANE_WERROR="${ZELVANE_WERROR:-OFF}"
cd "$root/build"
ctest --output-on-failure -j2
