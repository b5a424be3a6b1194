#!/usr/bin/env bash
# Measures what the shipped vocabulary puts into puzzles: PUZZLES puzzles 15x15
# with the default settings from Allgemein.db (seeds 1..PUZZLES, once with and
# once without short words), read back as a solver sees them.
#
#   bash scripts/vocabulary-report.sh [TABLE_FOLDER]
#
# TABLE_FOLDER defaults to build/Wabolex/WortDateien2007 (after building).
# WABOLEX_CLI names the wabolex-cli to use, PUZZLES the number of puzzles
# (200), THESAURUS the OpenThesaurus file for the check of offensive terms.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export WABOLEX_CLI="${WABOLEX_CLI:-$root/build/Wabolex/bin/wabolex-cli}"
exec python3 "$root/scripts/vocabulary_report.py" "${1:-$root/build/Wabolex/WortDateien2007}"
