#!/usr/bin/env bash
# Builds the Debian package rotaflux_VERSION_amd64.deb in build/package: installs what is missing
# (with the packaging tools), builds in Release, lays out the package with CPack and checks it
# with lintian, desktop-file-validate and appstreamcli.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh --package
# Debian's hardening: stack protector, fortified functions, read-only relocations bound at start.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B build/package -DCMAKE_BUILD_TYPE=Release -DROTAFLUX_BUILD_TESTS=OFF -DROTAFLUX_PACKAGE=ON \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake --build build/package -j"$(nproc)"
(cd build/package && cpack -G DEB)
deb=$(ls -t build/package/rotaflux_*_amd64.deb | head -n 1)
./scripts/check-package.sh "$deb"
echo "Package: $deb"
