#!/usr/bin/env bash
# Installs what building and testing Zelvane needs on Debian 12, only what is missing.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    libgtest-dev libbenchmark-dev
    nlohmann-json3-dev libfmt-dev libcli11-dev
    libavformat-dev libavcodec-dev libavutil-dev libswresample-dev libswscale-dev
    ffmpeg
    qt6-base-dev libqt6opengl6-dev qt6-multimedia-dev qt6-translations-l10n
    qt6-image-formats-plugins qt6-l10n-tools
    xvfb xauth libgl1-mesa-dri fonts-ipafont-gothic pulseaudio pulseaudio-utils
    clang libclang-rt-14-dev clang-tidy ccache
    librsvg2-bin dpkg-dev desktop-file-utils appstream
    python3 libx11-6
)

# Node.js and npm run the test-only format checks; a machine that has them keeps its own.
if ! command -v npm >/dev/null 2>&1; then
    packages+=(nodejs npm)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The independent format reader the tests compare against, as the lock file pins it.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ ! -d "$root/tests/npm/node_modules/mmd-parser" ]; then
    npm ci --prefix "$root/tests/npm" --no-audit --no-fund --loglevel=error
fi
