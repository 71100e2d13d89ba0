#!/usr/bin/env bash
# Installs what is needed, builds the console and the simulated counter, and
# starts the console beside the counter: vyn8-counter serves a pseudo-terminal
# that COM1 leads to, so Connect works with no hardware. The counter stops
# when the console exits. The demonstration keeps its seed sets, inventory
# and unsaved records in build/demo-data, apart from real counts.
#
# ./scripts/run.sh --balance also starts vyn8-balance, a simulated laboratory
# balance, behind COM2: choose COM2 as the balance's port in Option > Set
# Counter for the thousand-seed weight. Other options go to vyn8-counter.
set -euo pipefail
cd "$(dirname "$0")/.."
balance=no
if [ "${1:-}" = "--balance" ]; then
  balance=yes
  shift
fi
./scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target vyn8_rk47 vyn8-counter vyn8-balance

pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; wait "$p" 2>/dev/null || true; done' EXIT
# Starts a simulator serving a pty behind the link $1 and waits for the link.
start_sim() {
  local link=$1; shift
  "$@" --link "$link" &
  pids+=($!)
  for _ in $(seq 100); do
    [ -e "$link" ] && return 0
    kill -0 "${pids[-1]}" 2>/dev/null || { echo "$1 did not start" >&2; exit 1; }
    sleep 0.05
  done
}

link="${TMPDIR:-/tmp}/vyn8-com1-$$"
start_sim "$link" ./build/tools/counter-sim/vyn8-counter "$@"
export VYN8_COM1="$link"
if [ "$balance" = yes ]; then
  # Eight replicates of a wheat-like seed, a little noise, a moment to settle.
  balance_link="${TMPDIR:-/tmp}/vyn8-com2-$$"
  start_sim "$balance_link" ./build/tools/balance-sim/vyn8-balance \
    --weights 4.512,4.498,4.531,4.477,4.505,4.520,4.489,4.515 --noise 0.0004 --unstable 2
  export VYN8_COM2="$balance_link"
  echo "vyn8-balance is behind COM2: choose it as the balance's port in Option > Set Counter."
fi
./build/vyn8_rk47 --data-dir "$PWD/build/demo-data"
