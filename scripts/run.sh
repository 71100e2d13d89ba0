#!/usr/bin/env bash
# Installs what is needed, builds, and starts the console.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
./scripts/build.sh
exec ./build/vyn8_rk47
