#!/usr/bin/env bash
# Builds and runs the whole test suite through ctest.
#   ./test.sh              normal build in build/
#   ./test.sh --sanitize   AddressSanitizer + UndefinedBehaviorSanitizer in build-sanitize/
#   ./test.sh --tsan       ThreadSanitizer in build-tsan/ (threaded tests only)
# Extra arguments after the mode go to ctest (e.g. -R CamPointSet).
set -euo pipefail
cd "$(dirname "$0")"
tools/bootstrap

mode=normal
case "${1:-}" in
  --sanitize) mode=sanitize; shift ;;
  --tsan) mode=tsan; shift ;;
esac

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
case $mode in
  normal)
    dir=build
    flags=(-DECAM_BUILD_TESTS=ON -DECAM_BUILD_BENCH=ON) ;;
  sanitize)
    dir=build-sanitize
    flags=(-DECAM_SANITIZE=ON -DECAM_BUILD_TESTS=ON -DECAM_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug)
    export ASAN_OPTIONS=abort_on_error=0:detect_leaks=1:strict_string_checks=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    export LSAN_OPTIONS=suppressions=$PWD/tools/lsan.supp:print_suppressions=0 ;;
  tsan)
    dir=build-tsan
    flags=(-DECAM_TSAN=ON -DECAM_BUILD_TESTS=ON -DECAM_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug)
    export TSAN_OPTIONS="halt_on_error=1 suppressions=$PWD/tools/tsan.supp" ;;
esac

# Static checks: the libraries below the user interface never include widget
# headers (the folder layering itself is a ctest test, LayeringCheck).
if grep -rnE '#include\s*<(QtWidgets|QWidget|QDialog|QMainWindow|QApplication)' cam files drive host sim 2>/dev/null; then
  echo "test.sh: widget headers found in a non-widget library" >&2
  exit 1
fi

cmake -S . -B "$dir" "${flags[@]}" >/dev/null
cmake --build "$dir" -j "$jobs"
ctest_args=(--test-dir "$dir" --output-on-failure -j "$jobs" --timeout 60)
[ $mode = tsan ] && ctest_args+=(-L threads)
ctest "${ctest_args[@]}" "$@"
