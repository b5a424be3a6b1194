#!/usr/bin/env bash
# Sets up the machine, builds Wabolex and starts it from its program folder,
# where "../WortDateien2007", "../RätselDateien" and "../ExportDateien" lie.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
# Only the program and its data; the tests are built by scripts/test.sh in the same folder.
cmake --build build --parallel "$(nproc)" --target wabolex wabolex-cli wabolex_shipped_tables
cd build/Wabolex/bin
exec ./wabolex "$@"
