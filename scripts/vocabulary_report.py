"""The figures of scripts/vocabulary-report.sh; see there.

Give-aways, banned and offensive terms and words missing from the word lists
are judged by wabolex-cli check-table itself: the placed word/clue pairs become a table of their own, so the rules
live in one place, the program.
"""
import os
import re
import subprocess
import sys
import tempfile
from collections import Counter

from wbx import read_wbx

CLI = os.environ["WABOLEX_CLI"]
PUZZLES = int(os.environ.get("PUZZLES", "200"))
THESAURUS = os.environ.get("THESAURUS", "/usr/share/openthesaurus-de/openthesaurus.txt")
KNOWN_WORDS = os.environ.get("KNOWN_WORDS", "/usr/share/hunspell/de_DE.dic:/usr/share/dict/ngerman")
LONG = 10


def rankings():
    """The frequency lists the importer ranks words by (RANKINGS, else from npm)."""
    if "RANKINGS" in os.environ:
        return [f for f in os.environ["RANKINGS"].split(":") if f]
    root = subprocess.run(["npm", "root", "-g"], capture_output=True, text=True).stdout.strip()
    folder = os.path.join(root, "@zxcvbn-ts", "language-de", "src")
    return [os.path.join(folder, f) for f in ("wikipedia.json", "commonWords.json")]


def cli(*args, check=True):
    result = subprocess.run([CLI, *args], capture_output=True, text=True, encoding="utf-8")
    # 3: the puzzle was written, but its solution word found no place.
    if result.returncode not in (0, 1, 3) or (check and result.returncode != 0):
        sys.exit(f"wabolex-cli {' '.join(args)}: {result.stderr.strip()}")
    return result


def read_puzzle(path):
    """Grid letters, number of cells, and the placed (word, clue) pairs."""
    lines, rows, cells = read_wbx(path)
    starts = {}
    for (c, r), (_, across, down, _, _) in cells.items():
        if across:
            starts[across, "waagerecht"] = (c, r)
        if down:
            starts[down, "senkrecht"] = (c, r)
    pairs = []
    for line in lines[2 + rows:]:
        parts = line.split("*", 2)
        if len(parts) != 3 or not parts[0].isdigit():
            continue
        c, r = starts[int(parts[0]), parts[1]]
        word = ""
        while (c, r) in cells:
            letter, _, _, bar_right, bar_below = cells[c, r]
            word += letter
            if (bar_right if parts[1] == "waagerecht" else bar_below):
                break
            c, r = (c + 1, r) if parts[1] == "waagerecht" else (c, r + 1)
        pairs.append((word, parts[2]))
    letters = sum(1 for cell in cells.values() if cell[0] != ".")
    return letters, len(cells), pairs


def generate(table, folder, extra):
    os.makedirs(folder)
    puzzles = []
    for seed in range(1, PUZZLES + 1):
        out = os.path.join(folder, f"{seed}.wbx")
        # Exit status 3 with a saved puzzle: the solution word did not fit.
        result = cli("generate", table, "-o", out, "--seed", str(seed), *extra, check=False)
        if not os.path.exists(out):
            sys.exit(f"Rätsel {seed}: {result.stderr.strip()}")
        puzzles.append(read_puzzle(out) + (result.returncode == 0,))
    return puzzles


def flagged(report, heading):
    """The (word, clue) examples check-table lists under one heading."""
    pairs, inside = set(), False
    for line in report.splitlines():
        if line.startswith("    ") and inside:
            word, _, clue = line.strip().partition(": ")
            pairs.add((word, clue))
        else:
            inside = line.strip().startswith(heading)
    return pairs


def main():
    tables = sys.argv[1]
    table = os.path.join(tables, "Allgemein.db")
    with tempfile.TemporaryDirectory() as work:
        print(f"Erzeuge {PUZZLES} Rätsel 15x15 mit und {PUZZLES} ohne Kurzwörter aus {table} ...")
        with_short = generate(table, os.path.join(work, "mit"), [])
        without_short = generate(table, os.path.join(work, "ohne"), ["--no-short-words"])
        varied = generate(table, os.path.join(work, "vary"), ["--vary"])

        placed = [pair for puzzle in with_short + without_short + varied for pair in puzzle[2]]
        source = os.path.join(work, "platziert.txt")
        with open(source, "w", encoding="utf-8") as f:
            for word, clue in sorted(set(placed)):
                f.write(f"{word};{clue}\n")
        os.makedirs(os.path.join(work, "tabelle"))
        placed_table = os.path.join(work, "tabelle", "Platziert.db")
        cli("import", source, "-o", placed_table)
        check = ["check-table", placed_table, "--examples", "999999"]
        if os.path.exists(THESAURUS):
            check += ["--thesaurus", THESAURUS]
        lists = [f for f in KNOWN_WORDS.split(":") if os.path.exists(f)]
        for f in lists:
            check += ["--known-words", f]
        for f in rankings():
            if os.path.exists(f):
                lists.append(f)
                check += ["--ranking", f]
        report = cli(*check, check=False).stdout
        give_aways = flagged(report, "Umschreibungen, die das Wort verraten")
        part_give_aways = flagged(report, "davon durch einen gemeinsamen Wortteil")
        banned = flagged(report, "Gesperrte Begriffe")
        # The thesaurus speaks for the entries it gave, not for the hand-written
        # short words, whose pairs may stand in its groups beside a marked term.
        excluded = banned | {(w, c) for w, c in flagged(report, "In OpenThesaurus als")
                             if len(w) >= 5}
        unknown = {word for word, _ in flagged(report, "Wörter, die weder so in den Wortlisten")}

    general = cli("check-table", table, check=False).stdout
    distinct = re.search(r"Verschiedene Wörter: (\d+)", general).group(1)

    repeats = sum(1 for p in with_short for n in Counter(w for w, _ in p[2]).values() if n > 1)
    repeat_puzzles = sum(1 for p in with_short if len({w for w, _ in p[2]}) < len(p[2]))
    short = sum(1 for p in without_short for w, _ in p[2] if len(w) < 5)
    print(f"Wiederholte Antworten in einem Rätsel: {repeats} (in {repeat_puzzles} von {PUZZLES} Rätseln)")
    print(f"Antworten unter 5 Buchstaben mit --no-short-words: {short}")
    print(f"Platzierte Umschreibungen, die ihr Wort verraten: "
          f"{sum(1 for pair in placed if pair in give_aways)} von {len(placed)}")
    print(f"  davon durch einen gemeinsamen Wortteil: "
          f"{sum(1 for pair in placed if pair in part_give_aways)}")
    print(f"Platzierte gesperrte oder anstößig markierte Einträge: "
          f"{sum(1 for pair in placed if pair in excluded)} "
          f"(gesperrt, auch in einem Wort: {sum(1 for pair in placed if pair in banned)})")
    long_placed = [w for w, _ in placed if len(w) >= 5]
    if lists:
        known = sum(1 for w in long_placed if w not in unknown)
        print(f"Antworten ab 5 Buchstaben, die so in den Wortlisten oder Häufigkeitslisten "
              f"stehen: {known} von {len(long_placed)} ({known / max(len(long_placed), 1):.1%})")
    for name, puzzles in (("ohne --vary", with_short), ("mit --vary", varied)):
        counts = Counter(w for p in puzzles for w in {w for w, _ in p[2]} if len(w) >= LONG)
        if counts:
            word, n = counts.most_common(1)[0]
            print(f"Häufigste Antwort ab {LONG} Buchstaben {name}: {word} in {n} von "
                  f"{len(puzzles)} Rätseln ({n / len(puzzles):.1%})")
    for name, puzzles in (("mit Kurzwörtern", with_short), ("ohne Kurzwörter", without_short)):
        fill = sum(p[0] / p[1] for p in puzzles) / len(puzzles)
        black = sum(p[1] - p[0] for p in puzzles) / len(puzzles)
        short_answers = sum(1 for p in puzzles for w, _ in p[2] if len(w) < 5)
        solved = sum(1 for p in puzzles if p[3])
        print(f"{name}: Füllgrad im Mittel {fill:.4f}, schwarze Felder im Mittel {black:.2f}, "
              f"Antworten je Rätsel {sum(len(p[2]) for p in puzzles) / len(puzzles):.1f} "
              f"(davon unter 5 Buchstaben {short_answers / len(puzzles):.1f}), "
              f"Lösungswort gefunden in {solved} von {len(puzzles)}")
    print(f"Verschiedene Wörter in Allgemein.db: {distinct}")


if __name__ == "__main__":
    main()
