#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and runs every test through ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -G Ninja -DBRISVALE_WERROR=ON
cmake --build build
ctest --test-dir build --output-on-failure --timeout 300 --parallel 2
# The same tests again under AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer; then the fuzz targets
# for a bounded time.
tools/sanitize.sh
tools/fuzz.sh

# The Debian package as a user gets it: install it with apt, start the installed program (still up after 5 s:
# its window opened and waits for the user), find the emblem its menu entry names, and remove it again.
tools/package.sh
apt=(env DEBIAN_FRONTEND=noninteractive apt-get -y -qq -o DPkg::Lock::Timeout=300) # waits out another apt run
[ "$(id -u)" -eq 0 ] || apt=(sudo "${apt[@]}")
package=$(ls -t build/brisvale_*.deb | head -n 1)
"${apt[@]}" install --no-install-recommends "./$package"
trap '"${apt[@]}" remove brisvale' EXIT
status=0
QT_QPA_PLATFORM=offscreen timeout 5 /usr/bin/brisvale || status=$?
[ "$status" -eq 124 ] || { echo "the installed brisvale stopped with status $status instead of staying up" >&2; exit 1; }
entry=$(dpkg -L brisvale | grep '^/usr/share/applications/.*\.desktop$')
test -f "/usr/share/icons/hicolor/48x48/apps/$(sed -n 's/^Icon=//p' "$entry").png"

# The Windows build, its tests under Wine on a virtual display, the driver working the real window.
tools/windows.sh
