#!/usr/bin/env bash
# Installs the Debian packages Velmora needs to build and test, when any is missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config clang libclang-rt-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    libopenal-dev libalut-dev libopenal1
    libgtk-3-dev libcairo2-dev libgdk-pixbuf-2.0-dev
    xvfb xauth xdotool imagemagick sox
    dpkg-dev file desktop-file-utils appstream man-db groff-base
)

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
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
