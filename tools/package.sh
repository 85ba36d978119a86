#!/usr/bin/env bash
# Builds the Debian package of Brisvale: build/brisvale_<version>_<architecture>.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build
(cd build && cpack -G DEB)
