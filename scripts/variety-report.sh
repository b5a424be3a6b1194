#!/usr/bin/env bash
# Variety across a series of puzzles: PUZZLES puzzles 15x15 from Allgemein.db
# (seeds 1..PUZZLES, default 200), once in the table's order and once with
# --vary; shows the most frequent answers of 10 and more letters, in how many
# puzzles they appear, the fill and the batch's puzzles per second; then the
# first TRIES_PUZZLES (50) of them made with --tries TRIES (5), compared with
# their first try.
#
#   bash scripts/variety-report.sh [TABLE_FOLDER]
#
# TABLE_FOLDER defaults to build/Wabolex/WortDateien2007 (after building);
# WABOLEX_CLI names the wabolex-cli to use. Exit status 1 when an answer of
# 10+ letters appears in more than 10 % of the varied puzzles or their mean
# fill drops below 0.99, or a puzzle of --tries scores worse than its first try.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export WABOLEX_CLI="${WABOLEX_CLI:-$root/build/Wabolex/bin/wabolex-cli}"
exec python3 "$root/scripts/variety_report.py" "${1:-$root/build/Wabolex/WortDateien2007}"
