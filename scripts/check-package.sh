#!/usr/bin/env bash
# Checks a built package: the files a desktop install needs are in it, and
# its control data lists the libraries it depends on. Usage:
# check-package.sh [PACKAGE.deb] (default: the one in ./build).
set -euo pipefail
cd "$(dirname "$0")/.."
deb=${1:-$(ls build/vyn8_*.deb | head -n1)}
contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
status=0
for path in \
  ./usr/bin/vyn8_rk47 \
  ./usr/bin/vyn8-counter \
  ./usr/bin/vyn8-ledger \
  ./usr/share/applications/com.quilvane.vyn8_rk47.desktop \
  ./usr/share/icons/hicolor/scalable/apps/com.quilvane.vyn8_rk47.svg \
  ./usr/share/icons/hicolor/256x256/apps/com.quilvane.vyn8_rk47.png \
  ./usr/share/metainfo/com.quilvane.vyn8_rk47.metainfo.xml \
  ./usr/share/vyn8/SeedPara.txt \
  ./usr/share/vyn8/manual.html \
  ./usr/share/man/man1/vyn8_rk47.1.gz \
  ./usr/share/man/man1/vyn8-counter.1.gz \
  ./usr/share/man/man1/vyn8-ledger.1.gz; do
  grep -qxF "$path" <<<"$contents" || { echo "missing from $deb: $path" >&2; status=1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6sql6 libqt6sql6-sqlite libzint2.11 libxlsxwriter4 libminizip1 \
  libgsf-1-114 qt6-qpa-plugins; do
  grep -q "\b$lib\b" <<<"$depends" || { echo "$deb does not depend on $lib" >&2; status=1; }
done
# Read the whole output first: with pipefail, grep -q closing the pipe early
# would fail the check through dpkg-deb's SIGPIPE.
info=$(dpkg-deb -I "$deb")
grep -q '^ Depends: ' <<<"$info" || { echo "dpkg-deb -I lists no Depends" >&2; status=1; }
[ "$(dpkg-deb -f "$deb" Version)" = "$(sed -n 's/^project(vyn8_console VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)" ] ||
  { echo "package version is not the project's" >&2; status=1; }
[ "$status" -eq 0 ] && echo "$deb: contents and dependencies as expected"
exit "$status"
