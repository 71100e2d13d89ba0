#!/usr/bin/env bash
# Installs what is needed, builds the console and the simulated counter, and
# starts the console beside the counter: vyn8-counter serves a pseudo-terminal
# that COM1 leads to, so Connect works with no hardware. The counter stops
# when the console exits. The demonstration keeps its seed sets, inventory
# and unsaved records in build/demo-data, apart from real counts.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target vyn8_rk47 vyn8-counter

link="${TMPDIR:-/tmp}/vyn8-com1-$$"
./build/tools/counter-sim/vyn8-counter --link "$link" "$@" &
counter=$!
trap 'kill "$counter" 2>/dev/null || true; wait "$counter" 2>/dev/null || true' EXIT
for _ in $(seq 100); do
  [ -e "$link" ] && break
  kill -0 "$counter" 2>/dev/null || { echo "vyn8-counter did not start" >&2; exit 1; }
  sleep 0.05
done
export VYN8_COM1="$link"
./build/vyn8_rk47 --data-dir "$PWD/build/demo-data"
