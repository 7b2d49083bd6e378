#!/usr/bin/env bash
# Installs what the build and the tests need (Debian packages only) and makes the
# Wine prefix. Safe to run again: it installs only what is missing.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

PACKAGES=(cmake ninja-build g++ clang libclang-rt-14-dev googletest libgtest-dev
          g++-mingw-w64-x86-64 wine wine64 xvfb xauth x11-apps x11-utils imagemagick
          cups printer-driver-cups-pdf ghostscript libcups2 poppler-utils fonts-liberation procps zip unzip jq yq python3)

missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "setup: installing ${missing[*]}"
    SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# A prefix of our own, so that tests never touch the user's Wine set-up.
source "$ROOT/scripts/wine-session.sh"
wine_prefix_prepare
