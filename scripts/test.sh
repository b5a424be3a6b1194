#!/usr/bin/env bash
# Sets up the machine, builds Wabolex with its tests and runs all of them.
#   WABOLEX_SANITIZE=1 scripts/test.sh   builds and tests with ASan and UBSan.
#   WABOLEX_PLAIN_BUILD=1 scripts/test.sh
#       builds as a packager or a newcomer types it, "cmake -S . -B DIR" and
#       "cmake --build DIR" with CMake's default generator and defaults, in
#       build-plain (CI does this, so that the plain build is checked too).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
dir=build
flags=(-G Ninja -DCMAKE_BUILD_TYPE=Release -DWABOLEX_TESTS=ON -DWABOLEX_SANITIZE=OFF)
if [ "${WABOLEX_SANITIZE:-0}" = 1 ]; then
  dir=build-asan
  flags=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWABOLEX_TESTS=ON -DWABOLEX_SANITIZE=ON
         -DWABOLEX_BENCH=OFF)
elif [ "${WABOLEX_PLAIN_BUILD:-0}" = 1 ]; then
  # The defaults are a release build with tests and benchmarks.
  dir=build-plain
  flags=()
  unset CMAKE_GENERATOR
fi
cmake -S . -B "$dir" "${flags[@]}" >/dev/null
cmake --build "$dir" --parallel "$(nproc)"
export QT_QPA_PLATFORM=offscreen
cd "$dir"
# Vocabularies that wabolex-cli keeps between runs stay in the build folder.
export XDG_CACHE_HOME="$PWD/test-cache"
ctest --output-on-failure --parallel "$(nproc)" --timeout 600
