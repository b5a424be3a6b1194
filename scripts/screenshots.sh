#!/usr/bin/env bash
# Builds Wabolex and takes PNG screenshots of its windows on the offscreen
# platform: start-up, a generated 15 x 15 and 99 x 99 puzzle, the solution view,
# the settings dialog, the statistics window, the usage notes and the about window.
#   bash scripts/screenshots.sh [output folder]   (default: build/screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --parallel "$(nproc)" --target wabolex-screenshots wabolex_shipped_tables
out="${1:-build/screenshots}"
table=build/Wabolex/WortDateien2007/Allgemein.db
[ -f "$table" ] || table=build/Wabolex/WortDateien2007/Tiere.db
QT_QPA_PLATFORM=offscreen build/tools/wabolex-screenshots "$table" "$out"
