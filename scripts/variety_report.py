"""The figures of scripts/variety-report.sh; see there."""
import os
import re
import subprocess
import sys
import tempfile
from collections import Counter

from wbx import read_wbx

CLI = os.environ["WABOLEX_CLI"]
PUZZLES = int(os.environ.get("PUZZLES", "200"))
LONG = 10


def read_puzzle(path):
    """Letters, cells and the answers (words between bars) of a puzzle file."""
    lines, rows, cells = read_wbx(path)
    answers = []
    for (c, r), (_, across, down, _, _) in cells.items():
        for number, step, bar in ((across, (1, 0), 3), (down, (0, 1), 4)):
            if not number:
                continue
            word, (x, y) = "", (c, r)
            while (x, y) in cells:
                word += cells[x, y][0]
                if cells[x, y][bar]:
                    break
                x, y = x + step[0], y + step[1]
            answers.append(word)
    letters = sum(1 for cell in cells.values() if cell[0] != ".")
    return letters / len(cells), answers, score(lines, rows, cells, answers)


def score(lines, rows, cells, answers):
    """The order of --tries without the share of common answers, which only
    wabolex-cli knows (common_share): solution word placed, fewer black cells,
    more crossings (cells marked '+'), fewer answers of two letters."""
    placed = lines[-1] == "*" or not lines[-21].startswith("-1|")
    black = sum(1 for cell in cells.values() if cell[0] == ".")
    crossings = sum(1 for line in lines[2:2 + rows]
                    for i in range(1, len(line), 12) if line[i] == "+")
    return (placed, -black, crossings, -sum(1 for w in answers if len(w) == 2))


def common_share(path):
    """The share of answers among the most common words, as stats shows it."""
    result = subprocess.run([CLI, "stats", path], capture_output=True, text=True)
    match = re.search(r"(\d+) % häufige Wörter", result.stdout)
    return int(match.group(1)) if match else 0


def with_share(puzzle, path):
    """The full order of --tries: the share goes after the black cells."""
    fill, answers, (placed, black, crossings, two) = puzzle
    return fill, answers, (placed, black, common_share(path), crossings, two)


def batch(table, folder, extra, count=PUZZLES):
    result = subprocess.run([CLI, "generate", table, "-o", folder, "--count", str(count),
                             "--seed", "1", *extra], capture_output=True, text=True)
    # 3: every puzzle written, some without their solution word.
    if result.returncode not in (0, 3):
        sys.exit(f"wabolex-cli: {result.stderr.strip()}")
    # In the order of their seeds, so that batches of different lengths pair up.
    files = sorted(os.listdir(folder), key=lambda f: int(f.rsplit("-", 1)[1].split(".")[0]))
    summary = result.stdout.strip().splitlines()[-1]
    paths = [os.path.join(folder, f) for f in files]
    return [read_puzzle(p) for p in paths], summary, paths


def report(name, puzzles, summary):
    counts = Counter(w for p in puzzles for w in set(p[1]) if len(w) >= LONG)
    long_answers = [w for p in puzzles for w in p[1] if len(w) >= LONG]
    top = counts.most_common(5)
    share = top[0][1] / len(puzzles) if top else 0.0
    with_a = sum(1 for w in long_answers if w.startswith("A")) / max(len(long_answers), 1)
    fills = [p[0] for p in puzzles]
    print(f"{name}: {summary}")
    print(f"  häufigste Antworten ab {LONG} Buchstaben: "
          + ", ".join(f"{w} in {n}" for w, n in top))
    print(f"  höchster Anteil: {share:.1%}; verschiedene Antworten ab {LONG} Buchstaben: "
          f"{len(counts)}; davon mit A am Anfang: {with_a:.0%}")
    print(f"  Füllgrad im Mittel {sum(fills) / len(fills):.4f}, kleinster {min(fills):.4f}")
    return share, sum(fills) / len(fills)


def main():
    table = os.path.join(sys.argv[1], "Allgemein.db")
    print(f"{PUZZLES} Rätsel 15x15 aus {table}, Startwerte 1 bis {PUZZLES}")
    with tempfile.TemporaryDirectory() as work:
        plain = batch(table, os.path.join(work, "plain"), [])
        report("ohne --vary", *plain[:2])
        varied = batch(table, os.path.join(work, "vary"), ["--vary"])
        share, fill = report("mit --vary", *varied[:2])
        tries = int(os.environ.get("TRIES", "5"))
        count = int(os.environ.get("TRIES_PUZZLES", "50"))
        first = [with_share(p, f) for p, f in zip(plain[0][:count], plain[2][:count])]
        best, summary, files = batch(table, os.path.join(work, "tries"), ["--tries", str(tries)],
                                     count)
        best = [with_share(p, f) for p, f in zip(best, files)]
        worse = sum(1 for a, b in zip(first, best) if b[2] < a[2])
        better = sum(1 for a, b in zip(first, best) if b[2] > a[2])
        mean = lambda puzzles, i: sum(p[2][i] for p in puzzles) / len(puzzles)
        print(f"--tries {tries} ({count} Rätsel): {summary}")
        print(f"  besser als der erste Versuch: {better}, schlechter: {worse}; "
              f"schwarze Felder im Mittel {-mean(first, 1):.2f} -> {-mean(best, 1):.2f}, "
              f"häufige Wörter {mean(first, 2):.1f} % -> {mean(best, 2):.1f} %, "
              f"Überschneidungen {mean(first, 3):.1f} -> {mean(best, 3):.1f}, "
              f"Lösungswort gefunden {sum(p[2][0] for p in first)} -> {sum(p[2][0] for p in best)}")
    ok = share <= 0.10 and fill >= 0.99 and worse == 0
    print("Ziel (höchstens 10 % je Antwort, Füllgrad im Mittel ab 0,99):", "erreicht" if ok else "VERFEHLT")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
