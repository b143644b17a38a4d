#!/usr/bin/env bash
# Installs what is missing, builds, and opens the demo document in the desktop program.
# Without a display it shows what it would open with zelvane-cli instead.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
demo="$root/build/demo/demo.zlvm"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display to open a window on; the desktop program would open $demo:"
    exec "$root/build/src/cli/zelvane-cli" info "$demo"
fi
exec "$root/build/src/app/zelvane" "$demo"
