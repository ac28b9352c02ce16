#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running need, and
# nothing when they are all there already (no apt-get update then). Extra
# packages that one script alone needs can be named as arguments.
set -euo pipefail

packages=(build-essential cmake ninja-build qt6-base-dev qt6-charts-dev libqt6opengl6-dev
    fonts-dejavu-core xvfb xauth
    clang libclang-rt-14-dev dpkg-dev desktop-file-utils appstream "$@")

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
        missing+=("$p")
    fi
done

if ((${#missing[@]})); then
    echo "Installing missing packages: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi
