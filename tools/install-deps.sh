#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages that building, running and testing Brisvale need; skips what is there.
set -euo pipefail

packages=(
    build-essential cmake ninja-build git
    qt6-base-dev qt6-translations-l10n # Qt 6 Widgets, and the Chinese texts of its dialogs and buttons
    libicu-dev                         # the reference GB18030 converter the text codec is checked against
    libgtest-dev                       # core tests
    clang-format                       # the formatting check
    fonts-wqy-microhei                 # a CJK font, so the window's Chinese texts have glyphs
    clang-14 libclang-rt-14-dev        # libFuzzer with its sanitizers, for the fuzz targets
    python3 file                       # the packaging checks; CPack's search for the program's libraries
    desktop-file-utils appstream       # the desktop entry and AppStream record checks
    binutils-mingw-w64-x86-64          # windres, for the Windows resource check
    g++-mingw-w64-x86-64-posix         # the Windows build (tools/windows.sh)
    wine wine64 xvfb                   # its tests under Wine, on a virtual display
    googletest                         # GoogleTest's sources, built for Windows
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
