#!/usr/bin/env bash
# Measures what the shipped vocabulary puts into puzzles: PUZZLES puzzles 15x15
# with the default settings from Allgemein.db (seeds 1..PUZZLES, once with and
# once without short words, once with --vary), read back as a solver sees them:
# repeats, give-aways (also by a shared word part), banned and offensive
# entries, the share of 5+ letter answers that the word lists or frequency lists
# hold as written, the most frequent 10+ letter answer with and without --vary,
# fill and black cells.
#
#   bash scripts/vocabulary-report.sh [TABLE_FOLDER]
#
# TABLE_FOLDER defaults to build/Wabolex/WortDateien2007 (after building).
# WABOLEX_CLI names the wabolex-cli to use, PUZZLES the number of puzzles
# (200), THESAURUS the OpenThesaurus file for the check of offensive terms,
# KNOWN_WORDS and RANKINGS the word lists and frequency lists (':'-separated;
# by default those the build reads).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export WABOLEX_CLI="${WABOLEX_CLI:-$root/build/Wabolex/bin/wabolex-cli}"
exec python3 "$root/scripts/vocabulary_report.py" "${1:-$root/build/Wabolex/WortDateien2007}"
