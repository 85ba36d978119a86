#!/usr/bin/env bash
# Installs what is missing, builds Brisvale and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build --target brisvale
exec build/shell/brisvale
