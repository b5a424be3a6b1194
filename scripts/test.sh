#!/usr/bin/env bash
# Sets up the machine, builds Wabolex with its tests and runs all of them.
#   WABOLEX_SANITIZE=1 scripts/test.sh   builds and tests with ASan and UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
dir=build
flags=(-DCMAKE_BUILD_TYPE=Release -DWABOLEX_TESTS=ON -DWABOLEX_SANITIZE=OFF)
if [ "${WABOLEX_SANITIZE:-0}" = 1 ]; then
  dir=build-asan
  flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DWABOLEX_TESTS=ON -DWABOLEX_SANITIZE=ON -DWABOLEX_BENCH=OFF)
fi
cmake -S . -B "$dir" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$dir" --parallel "$(nproc)"
export QT_QPA_PLATFORM=offscreen
cd "$dir"
ctest --output-on-failure --parallel "$(nproc)" --timeout 600
