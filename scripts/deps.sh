#!/usr/bin/env bash
# Installs the Debian 12 packages the console, its tests and benchmarks need
# (listed in scripts/packages.txt); does nothing when all are present.
set -euo pipefail
cd "$(dirname "$0")"
mapfile -t PKGS < packages.txt
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y "${missing[@]}"
fi
