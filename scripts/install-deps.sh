#!/usr/bin/env bash
# Installs the Debian packages Rotaflux needs to build, run and test.
# Only what is missing is installed; as root directly, otherwise through sudo.
set -euo pipefail

# samba, smbnetfs, sshfs, openssh-server, fuse3, faketime: the tests of two workstations on one shared
# folder (tests/share/) and of their skewed clocks.
# libzxing-dev: the QR and Code 128 codes of the vehicles' labels, written and read back.
# libqt6opengl6-dev: the CMake package of Qt Charts needs Qt OpenGL's, which qt6-charts-dev does not pull in.
PACKAGES=(
    build-essential cmake pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-charts-dev libqt6opengl6-dev qt6-qpa-plugins
    libgl-dev libglx-dev libxkbcommon-dev
    libsimpleini-dev libquazip1-qt6-dev libzxing-dev qt6-translations-l10n
    fonts-liberation2 fonts-dejavu-core
    xvfb xauth poppler-utils
    desktop-file-utils appstream
    samba smbnetfs sshfs openssh-server fuse3 faketime
)
# ./package.sh also needs the packaging tools.
if [ "${1:-}" = "--package" ]; then
    PACKAGES+=(dpkg-dev fakeroot lintian gzip)
fi

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
