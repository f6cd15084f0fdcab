#!/usr/bin/env bash
# What the Makefile's targets do. Every command sets up first, so it works on a
# fresh Debian machine and costs seconds on a set-up one.
# Usage: cmake/make.sh build|test|run|screenshot|bench|package BUILD_DIR JOBS [CMAKE_ARGS...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
command=$1 build=$2 jobs=$3
shift 3
case $build in /*) ;; *) build=$root/$build ;; esac

bash "$root/cmake/setup.sh" "$build" ""
arch=$("$root/cmake/test-arch.sh")
bash "$root/cmake/setup.sh" "$build" "$arch"

configure() { # DIR ARCH [ARGS...]
  local dir=$1 a=$2
  shift 2
  cmake -S "$root" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$a-mingw.cmake" "$@" >/dev/null
}

configure "$build" "$arch" "$@"
# Showing the client needs only the client and the demo site's configuration.
case $command in
  run|screenshot) targets=(Zeltavue demo_config) ;;
  bench) targets=(all demo_config) ;;
  *) targets=(all) ;;
esac
cmake --build "$build" -j "$jobs" --target "${targets[@]}"
ship=$build
if [ "$arch" != i686 ] && [ "${targets[0]}" = all ]; then
  # This machine runs the tests on the x86_64 build; the shipped i686 executable is
  # still built and its imports checked.
  ship=$build/ship-i686
  configure "$ship" i686 -DZV_BUILD_TESTS=OFF "-DZV_PACKAGE_DIR=$build/package" "$@"
  cmake --build "$ship" -j "$jobs"
  cmake -DOBJDUMP=i686-w64-mingw32-objdump -DFILES="$build/ship-i686/app/Zeltavue.exe" \
    -P "$root/cmake/CheckImports.cmake"
fi

# A wineserver left from an earlier run keeps a desktop bound to a display that may be
# gone; every command that runs Wine starts from a fresh server and leaves none behind.
stop_wine() {
  local prefix
  for prefix in "$build/wineprefix" "$build/wineprefix-package"; do
    (. "$root/cmake/wine-env.sh" "$prefix" "$arch" && "$WINESERVER" -k >/dev/null 2>&1) || true
  done
}

with_wine() {
  stop_wine
  local rc=0
  "$@" || rc=$?
  stop_wine
  return $rc
}

case $command in
  build) ;;
  test) with_wine bash "$root/cmake/with-display.sh" ctest --test-dir "$build" --output-on-failure -j "$jobs" ;;
  run|screenshot)
    with_wine env ZV_COMPOSITOR=1 bash "$root/cmake/with-display.sh" \
      python3 "$root/tools/demo/demo.py" "$command" "$build" ;;
  bench) with_wine bash "$root/cmake/with-display.sh" bash "$root/cmake/run-bench.sh" "$build" ;;
  package)
    cmake --build "$ship" --target client_package -j "$jobs"
    ls -l "$build/package" ;;
  *) echo "make.sh: unknown command $command" >&2; exit 2 ;;
esac
