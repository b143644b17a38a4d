#!/usr/bin/env bash
# Installs what is missing, builds, and shows the demo document.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
"$root/build/src/cli/zelvane-cli" info "$root/build/demo/demo.zlvm"
