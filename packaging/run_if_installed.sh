#!/bin/sh
# Runs a checking tool, or skips the test (exit status 77) where the tool is not installed, naming its package.
#   run_if_installed.sh DEBIAN_PACKAGE COMMAND [ARGUMENT...]
package=$1
shift
if ! command -v "$1" >/dev/null 2>&1; then
    echo "SKIPPED: $1 is not installed (Debian package $package; tools/install-deps.sh installs it)"
    exit 77
fi
exec "$@"
