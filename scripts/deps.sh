#!/usr/bin/env bash
# Installs the Debian 12 packages the console, its tests and benchmarks need.
set -euo pipefail
PKGS=(build-essential cmake pkg-config qt6-base-dev libgl1-mesa-dev libfreexl-dev libgsf-1-dev
      libgtest-dev libgmock-dev libbenchmark-dev python3 python3-xlrd python3-xlwt xvfb xauth)
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y "${missing[@]}"
fi
