#!/usr/bin/env bash
# Installs the Debian 12 packages the console, its tests and benchmarks need
# (listed in scripts/packages.txt); does nothing when all are present.
set -euo pipefail
cd "$(dirname "$0")"
mapfile -t PKGS < packages.txt
missing=()
for p in "${PKGS[@]}"; do
  [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" = 'install ok installed' ] || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  # As an ordinary user sudo asks for the password once (it keeps it for
  # the second command); `env` carries DEBIAN_FRONTEND past sudo, which
  # would drop it from the environment.
  as_root=(env DEBIAN_FRONTEND=noninteractive)
  [ "$(id -u)" -eq 0 ] || as_root=(sudo "${as_root[@]}")
  "${as_root[@]}" apt-get update
  "${as_root[@]}" apt-get install -y "${missing[@]}"
fi
