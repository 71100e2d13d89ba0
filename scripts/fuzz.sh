#!/usr/bin/env bash
# Fuzzes one target for real with clang's libFuzzer, ASan and UBSan:
#   scripts/fuzz.sh TARGET SECONDS        e.g. scripts/fuzz.sh frame_assembly 600
# TARGET is a file name of fuzz/ without .cpp (scripts/fuzz.sh --list names
# them). Builds into build-fuzz/. The corpus grows in build-fuzz/corpus/TARGET,
# seeded from fuzz/corpus/TARGET (and, for xls_reader, the workbooks of
# tests/fixtures). A failing input lands in build-fuzz/artifacts/TARGET/:
# mend the fault, then copy the input into fuzz/corpus/TARGET/ so that the
# corpus replay keeps it mended. One job, at low priority: the machine is shared.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = "--list" ]; then
  ls fuzz/*.cpp | xargs -n1 basename | sed 's/\.cpp$//' | grep -v ReplayMain
  exit 0
fi
TARGET=${1:?usage: scripts/fuzz.sh TARGET SECONDS}
SECONDS_TO_RUN=${2:?usage: scripts/fuzz.sh TARGET SECONDS}
[ -f "fuzz/$TARGET.cpp" ] || { echo "no fuzz target $TARGET (scripts/fuzz.sh --list)" >&2; exit 2; }

ROOT=$PWD
BUILD=$ROOT/build-fuzz
if [ ! -f "$BUILD/CMakeCache.txt" ]; then
  CC=clang-14 CXX=clang++-14 cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVYN8_FUZZ=ON -DVYN8_SANITIZE=address,undefined \
    -DVYN8_BUILD_TESTS=OFF -DVYN8_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$BUILD" -j"$(nproc)" --target "fuzz_$TARGET"

CORPUS=$BUILD/corpus/$TARGET
ARTIFACTS=$BUILD/artifacts/$TARGET
mkdir -p "$CORPUS" "$ARTIFACTS"
rm -f "$ARTIFACTS"/fuzz-0.log
SEEDS=("$ROOT/fuzz/corpus/$TARGET")
if [ "$TARGET" = xls_reader ]; then
  SEEDS+=("$ROOT/tests/fixtures")
  [ -d /work/shared/samples ] && SEEDS+=(/work/shared/samples)
fi

export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export QT_QPA_PLATFORM=offscreen
cd "$ARTIFACTS"
# libFuzzer's -jobs=1 runs one fuzzing process and logs it to fuzz-0.log.
status=0
nice -n 10 "$BUILD/fuzz/fuzz_$TARGET" -jobs=1 -workers=1 \
  -max_total_time="$SECONDS_TO_RUN" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$ARTIFACTS/" "$CORPUS" "${SEEDS[@]}" || status=$?
grep -E '^#[0-9]+|^(==|SUMMARY|stat::)' fuzz-0.log | tail -n 12 || true
if ls -1 | grep -E '^(crash|leak|timeout|oom|slow-unit)-'; then
  status=1
fi
exit "$status"
