#!/usr/bin/env bash
# Installs what is needed, builds, and starts the console beside the simulated
# counter: vyn8-counter serves a pseudo-terminal that COM1 leads to, so Connect
# works with no hardware. The counter stops when the console exits.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
./scripts/build.sh

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
./build/vyn8_rk47
