#!/usr/bin/env bash
# Installs the build into a temporary prefix (DESTDIR) and starts the
# installed console there, as an ordinary user with a home of its own and a
# bin folder it cannot write: the data files must be made in the user's data
# folder (or the one VYN8_DATA_DIR or --data-dir names), never beside the
# program. Usage: installed-program.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
chmod 755 "$work"

DESTDIR="$work/root" cmake --install "$build" --prefix /usr >/dev/null
bin="$work/root/usr/bin"
chmod a-w "$bin"
owned="$work/user"
mkdir -p "$owned/home"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  # Root writes anywhere: run as nobody, for whom the bin folder is read-only.
  chown -R 65534:65534 "$owned"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi

fail() { echo "FAIL: $*" >&2; exit 1; }

# Starts the console with the given extra environment and options, waits
# until its data folder holds SeedPara.txt, then asks it to close (SIGTERM
# closes the window as its close box does) and waits for it to end.
run_console() {
  local folder=$1; shift
  local -a envs=() opts=()
  while [ $# -gt 0 ] && [ "$1" != "--" ]; do envs+=("$1"); shift; done
  [ $# -gt 0 ] && shift
  opts=("$@")
  env -i HOME="$owned/home" PATH=/usr/bin:/bin QT_QPA_PLATFORM=offscreen "${envs[@]}" \
    "${as_user[@]}" "$bin/vyn8_rk47" "${opts[@]}" >"$work/out.txt" 2>&1 &
  local pid=$!
  for _ in $(seq 200); do
    [ -f "$folder/SeedPara.txt" ] && break
    kill -0 "$pid" 2>/dev/null || { cat "$work/out.txt" >&2; fail "the console ended early"; }
    sleep 0.05
  done
  [ -f "$folder/SeedPara.txt" ] || fail "no SeedPara.txt in $folder"
  # The console takes the signal from its first moments on, and closes once
  # its start-up is done; the inventory is written back as the window closes.
  kill -TERM "$pid"
  local rc=0
  wait "$pid" || rc=$?
  [ "$rc" -eq 0 ] || { cat "$work/out.txt" >&2; fail "the console exited with $rc"; }
  [ -f "$folder/vyn8_inventory.txt" ] || fail "no inventory written in $folder"
  cmp -s "$folder/SeedPara.txt" "$work/root/usr/share/vyn8/SeedPara.txt" ||
    fail "$folder/SeedPara.txt is not the shipped default"
}

user_folder="$owned/home/.local/share/Quilvane Inc./vyn8_rk47"
run_console "$user_folder"
[ "$(ls -A "$bin" | tr '\n' ' ')" = "vyn8-balance vyn8-counter vyn8-ledger vyn8_rk47 " ] ||
  fail "files beside the program: $(ls -A "$bin")"

shared="$owned/shared"
run_console "$shared" VYN8_DATA_DIR="$shared"
option="$owned/option"
run_console "$option" VYN8_DATA_DIR="$shared" -- --data-dir "$option"
[ "$(ls -A "$bin" | tr '\n' ' ')" = "vyn8-balance vyn8-counter vyn8-ledger vyn8_rk47 " ] ||
  fail "files beside the program: $(ls -A "$bin")"
# The user's own folder saw only the first run: its files and its ledger.
[ "$(ls -A "$user_folder" | tr '\n' ' ')" = "SeedPara.txt vyn8_inventory.txt vyn8_ledger.sqlite " ] ||
  fail "unexpected files in $user_folder: $(ls -A "$user_folder")"
echo "installed console keeps its files in the data folder"
