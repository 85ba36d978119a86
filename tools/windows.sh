#!/usr/bin/env bash
# Builds brisvale.exe with MinGW-w64 in build-win32 and runs the Windows tests under Wine: the core's tests, and the
# driver that works the real window on a virtual X display. Installs what is missing first.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 xvfb googletest
    fonts-wqy-microhei)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -ne 0 ]; then
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S runtime/win32 -B build-win32 -G Ninja --toolchain "$PWD/cmake/mingw-w64.cmake" -DBRISVALE_WERROR=ON
cmake --build build-win32 -j2

# One display for the whole run, and Wine's own window frames, since no window manager draws one.
display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp &
xvfb_pid=$!
wine_run=build-win32/tests/wine-run.sh
stop() {
    WINEPREFIX="$PWD/build-win32/wineprefix" wineserver -k 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
}
trap stop EXIT
export DISPLAY="$display"
# A Wine server that stays up between the test programs, instead of starting anew for each. It needs the settings
# folder to exist; the first Wine program below fills it.
mkdir -p build-win32/wineprefix
WINEPREFIX="$PWD/build-win32/wineprefix" wineserver -p
# The first Wine program starts Wine's own services, which stay up with the server and keep the files they were
# given open: none of this script's output, or whoever reads it would wait for them.
"$wine_run" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f </dev/null >/dev/null 2>&1
ctest --test-dir build-win32 --output-on-failure --timeout 300
