#!/usr/bin/env bash
# Checks the menu entry and the software centre's description with their validators, where they
# are installed, and, given a package, that lintian reports no error.
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
    # Errors fail the check; warnings and notes are shown.
    lintian --tag-display-limit 0 "$1" | tee build/lintian.txt || true
    if grep -q '^E:' build/lintian.txt; then
        echo "lintian reports errors" >&2
        exit 1
    fi
fi
