#!/usr/bin/env bash
# Builds the Debian package of the console (vyn8_VERSION_ARCH.deb in ./build):
# the two programs, the desktop entry, the icon, the AppStream metadata, the
# manual, the default seed sets and the man pages. Install it with
#   sudo apt install ./build/vyn8_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target vyn8_rk47 vyn8-counter
(cd build && cpack -G DEB)
ls -l build/vyn8_*.deb
