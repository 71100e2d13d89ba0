#!/usr/bin/env bash
# The desktop entry and the AppStream metadata pass their own validators.
# Usage: validate-desktop-files.sh SOURCE_DIR. Exit 77 (skipped) without them.
set -euo pipefail
src=$1
for tool in desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool not installed"; exit 77; }
done
desktop-file-validate "$src/packaging/com.quilvane.vyn8_rk47.desktop"
appstreamcli validate --no-net --pedantic "$src/packaging/com.quilvane.vyn8_rk47.metainfo.xml"
