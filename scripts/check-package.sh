#!/usr/bin/env bash
# Checks the menu entry and the software centre's description with their validators, where they
# are installed, and, given a package, that lintian (pedantic) reports no error or warning.
set -euo pipefail
cd "$(dirname "$0")/.."
if command -v desktop-file-validate >/dev/null 2>&1; then
    desktop-file-validate packaging/it.rotaflux.Rotaflux.desktop
    echo "desktop-file-validate: packaging/it.rotaflux.Rotaflux.desktop is valid"
fi
if command -v appstreamcli >/dev/null 2>&1; then
    appstreamcli validate --no-net packaging/it.rotaflux.Rotaflux.metainfo.xml
fi
if [ $# -gt 0 ] && command -v lintian >/dev/null 2>&1; then
    # Errors and warnings, pedantic ones included, fail the check; notes are shown.
    lintian --pedantic --tag-display-limit 0 "$1" | tee build/lintian.txt || true
    if grep -qE '^(E|W):' build/lintian.txt; then
        echo "lintian reports errors or warnings" >&2
        exit 1
    fi
fi
