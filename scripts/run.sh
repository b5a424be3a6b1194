#!/usr/bin/env bash
# Sets up the machine, builds Wabolex and starts it from its program folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DWABOLEX_TESTS=OFF -DWABOLEX_BENCH=OFF >/dev/null
cmake --build build --parallel "$(nproc)"
cd build/Wabolex/bin
if [ -x ./wabolex ]; then
  exec ./wabolex "$@"
else
  echo "Gebaut: build/Wabolex/bin (das Programmfenster folgt noch)."
fi
