#!/usr/bin/env bash
# The test suite under the sanitizers, built into folders of its own (ASan+UBSan
# with clang; TSan with g++, whose runtime follows the child processes that
# QProcess starts, where clang's aborts in its clone() hook):
#   scripts/sanitize.sh           ASan+UBSan on the whole suite, then TSan on
#                                 the link, console and end-to-end tests
#   scripts/sanitize.sh asan      ASan+UBSan only (what CI runs)
#   scripts/sanitize.sh tsan      TSan only
# Every report stops its test (halt_on_error; leaks are checked at exit), so a
# report in our code fails the run. Reports wholly inside Qt or the system
# libraries are suppressed in scripts/sanitize/*.supp, each with its reason.
# The reports land in build-asan/reports and build-tsan/reports.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
WHAT=${1:-all}
case "$WHAT" in all|asan|tsan) ;; *) echo "usage: $0 [all|asan|tsan]" >&2; exit 2;; esac
JOBS=$(nproc)
export QT_QPA_PLATFORM=offscreen

configure() {  # folder, sanitizers, C compiler, C++ compiler
  if [ ! -f "$1/CMakeCache.txt" ]; then
    CC=$3 CXX=$4 cmake -S . -B "$1" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DVYN8_SANITIZE="$2" -DVYN8_BUILD_BENCH=OFF >/dev/null
  fi
  # The build lists the tests by running the test program: no leak check there.
  ASAN_OPTIONS=detect_leaks=0 cmake --build "$1" -j"$JOBS"
  rm -rf "$1/reports"
  mkdir -p "$1/reports"
}

# Runs ctest in folder $1 with extra ctest arguments; prints a summary line.
run_suite() {
  local build=$1 name=$2
  shift 2
  local status=0
  ctest --test-dir "$build" --output-on-failure -j"$JOBS" --timeout 600 "$@" \
    >"$build/reports/ctest.log" 2>&1 || status=$?
  local reports
  reports=$(find "$build/reports" -name 'report.*' -size +0 | wc -l)
  tail -n 3 "$build/reports/ctest.log" | grep -E 'tests passed|tests failed' || true
  echo "$name: $reports report(s) in project code"
  if [ "$reports" -gt 0 ]; then
    for f in $(find "$build/reports" -name 'report.*' -size +0 | head -n 5); do
      echo "---- $f"; head -n 40 "$f"
    done
    status=1
  fi
  if [ "$status" -ne 0 ]; then
    grep -E '^\s*[0-9]+ - .*(Failed|Timeout|Exception)' "$build/reports/ctest.log" | head -n 20 || true
  fi
  return "$status"
}

status=0
if [ "$WHAT" != tsan ]; then
  configure build-asan address,undefined clang-14 clang++-14
  export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1:log_path=$ROOT/build-asan/reports/report"
  export LSAN_OPTIONS="suppressions=$ROOT/scripts/sanitize/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:log_path=$ROOT/build-asan/reports/report"
  run_suite build-asan "ASan+UBSan, whole suite" || status=1
  unset ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS
fi
if [ "$WHAT" != asan ]; then
  configure build-tsan thread gcc g++
  # The suites whose code runs on more than one thread.
  suites=$(grep -ohE '^TEST(_F|_P)?\([A-Za-z0-9_]+' tests/link/*.cpp tests/console/*.cpp tests/e2e/*.cpp \
           | sed 's/.*(//' | sort -u | paste -sd'|')
  # Child processes started with a clone of their own memory (see the file).
  gcc -shared -fPIC -O2 -o build-tsan/clone_without_vm.so scripts/sanitize/clone_without_vm.c -ldl
  export LD_PRELOAD=$ROOT/build-tsan/clone_without_vm.so
  export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$ROOT/scripts/sanitize/tsan.supp:log_path=$ROOT/build-tsan/reports/report"
  run_suite build-tsan "TSan, link, console and end-to-end tests" -R "(^|/)($suites)\\." || status=1
  unset TSAN_OPTIONS LD_PRELOAD
fi
exit "$status"
