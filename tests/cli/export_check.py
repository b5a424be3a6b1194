#!/usr/bin/env python3
"""Reads the ipuz files and web pages that wabolex-cli exports with Python's
json module and html.parser alone and checks them against the puzzle files
they came from, which it reads on its own: dimensions, blocks, letters, clue
numbers, bars, circled cells with their positions, the solution word and the
clues; for the page also that it loads nothing from elsewhere and that its
scrambled answers give the grid's letters.

    export_check.py WABOLEX_CLI TABLE_FOLDER
"""
import html.parser
import json
import os
import subprocess
import sys
import tempfile

CLI, TABLES = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def run(folder, *args):
    result = subprocess.run([CLI, *args], cwd=folder, capture_output=True)
    return result.returncode, result.stderr.decode("utf-8", "replace")


def read_wbx(path):
    """The puzzle file: size lines, 12 characters a cell, clue rows split at the
    first two '*', 20 mark lines, the solution word or '*'."""
    with open(path, "rb") as f:
        lines = f.read().decode("cp1252").split("\r\n")
    assert lines[-1] == "", "the last line ends with CR LF"
    lines = lines[:-1]
    columns = int(lines[0].split("=", 1)[1])
    rows = int(lines[1].split("=", 1)[1])
    cells = {}
    for r in range(rows):
        line = lines[2 + r]
        for c in range(columns):
            f = line[12 * c:12 * c + 12]
            cells[c, r] = {"letter": f[0], "across": int(f[2:6]), "down": int(f[6:10]),
                           "right": f[10] == "1", "below": f[11] == "1"}
    clues = [l.split("*", 2) for l in lines[2 + rows:len(lines) - 21]]
    marks = [tuple(int(v) for v in l.split("|")) for l in lines[-21:-1]]
    word = None if lines[-1] == "*" else lines[-1]
    return columns, rows, cells, clues, marks, word


def compare(wbx, ipuz_path, name):
    raw = open(ipuz_path, "rb").read()
    try:
        text = raw.decode("utf-8")  # strict: any other encoding fails here
        doc = json.loads(text)
    except (UnicodeDecodeError, json.JSONDecodeError) as e:
        failures.append(f"{name}: no valid UTF-8 JSON: {e}")
        return
    columns, rows, cells, clues, marks, word = read_wbx(wbx)
    check(doc.get("version") == "http://ipuz.org/v2", f"{name}: version")
    check(doc.get("kind") == ["http://ipuz.org/crossword#1"], f"{name}: kind")
    check(doc.get("origin") == "Wabolex", f"{name}: origin")
    check(doc.get("title") == os.path.basename(wbx).split(".")[0], f"{name}: title {doc.get('title')}")
    check(doc.get("dimensions") == {"width": columns, "height": rows}, f"{name}: dimensions")
    block, empty = doc.get("block", "#"), doc.get("empty", 0)
    grid, solution = doc["puzzle"], doc["solution"]
    check(len(grid) == rows and all(len(row) == columns for row in grid), f"{name}: puzzle shape")
    check(len(solution) == rows and all(len(row) == columns for row in solution),
          f"{name}: solution shape")

    shown = marks[0][0] >= 0  # a first mark that names a cell shows the word
    count = min(len(word or ""), 20) if shown else 0
    circled = {(m[0], m[1]): m[2] for m in marks[:count]}
    for (c, r), cell in cells.items():
        at = f"{name} {c},{r}"
        entry = grid[r][c]
        style = {}
        if isinstance(entry, dict):
            style = entry.get("style", {})
            entry = entry["cell"]
        black = cell["letter"] == "."
        check((entry == block) == black, f"{at}: block")
        check((solution[r][c] == block) == black, f"{at}: solution block")
        if not black:
            check(solution[r][c] == cell["letter"], f"{at}: letter {solution[r][c]}")
            number = cell["across"] or cell["down"]
            check(entry == (number if number else empty), f"{at}: number {entry}")
            bars = style.get("barred", "")
            check(("R" in bars) == (cell["right"] and c < columns - 1), f"{at}: bar right")
            check(("B" in bars) == (cell["below"] and r < rows - 1), f"{at}: bar below")
            check(set(bars) <= {"R", "B"}, f"{at}: bars {bars}")
        if (c, r) in circled:
            check(style.get("shapebg") == "circle", f"{at}: circle")
            check(style.get("mark") == {"BR": str(circled[c, r])}, f"{at}: mark {style.get('mark')}")
        else:
            check("shapebg" not in style and "mark" not in style, f"{at}: unexpected circle")
    check(len(circled) == count, f"{name}: {len(circled)} circled cells for {count} letters")

    for key, direction in (("Across", "waagerecht"), ("Down", "senkrecht")):
        expected = [[int(n) if n.isdigit() else n, clue] for n, d, clue in clues if d == direction]
        check(doc["clues"][key] == expected, f"{name}: {key} clues differ")
    if count:
        check(word.upper() in doc.get("explanation", ""), f"{name}: solution word")
    else:
        check("explanation" not in doc, f"{name}: explanation without a solution word")


class PageReader(html.parser.HTMLParser):
    """The parts of the page a check needs: the grid's cells with their classes,
    numbers, circle positions and letters, the two clue lists, the script data,
    the title and every attribute that could load something."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.cells, self.lists, self.data, self.texts = [], {}, "", {}
        self.loads = []
        self.stack = []  # (tag, classes, id) of the open elements
        self.cell = self.item = None
        self.span = None

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        classes = (a.get("class") or "").split()
        for name in ("src", "href", "action", "srcset"):
            if name in a:
                self.loads.append(f"{tag} {name}={a[name]}")
        if tag in ("link", "iframe", "object", "embed", "img"):
            self.loads.append(tag)
        if tag == "div" and "cell" in classes and self.parent_id() == "grid":
            self.cell = {"classes": classes, "num": "", "pos": "", "letter": ""}
            self.cells.append(self.cell)
        if tag == "ol" and a.get("id") in ("across", "down"):
            self.lists[a["id"]] = []
        if tag == "li" and self.open_list():
            self.item = {"number": "", "clue": "", "enumeration": "", "word": a.get("data-word")}
            self.lists[self.open_list()].append(self.item)
        if tag == "span" and classes:
            self.span = classes[0]
        self.stack.append((tag, classes, a.get("id")))
        if tag == "meta" and a.get("name") == "author":
            self.texts["meta-author"] = a.get("content")

    def handle_endtag(self, tag):
        while self.stack:
            open_tag, classes, ident = self.stack.pop()
            if open_tag == "div" and "cell" in classes:
                self.cell = None
            if open_tag == "li":
                self.item = None
            if open_tag == "span":
                self.span = None
            if open_tag == tag:
                break

    def parent_id(self):
        return self.stack[-1][2] if self.stack else None

    def open_list(self):
        for tag, _, ident in reversed(self.stack):
            if tag == "ol" and ident in ("across", "down"):
                return ident
        return None

    def handle_data(self, text):
        tag, classes, ident = self.stack[-1] if self.stack else (None, [], None)
        if tag == "script" and ident == "puzzle-data":
            self.data += text
        elif self.cell is not None and self.span in ("num", "pos", "letter"):
            self.cell[self.span] += text
        elif self.item is not None:
            if tag == "b":
                self.item["number"] += text
            elif self.span == "enumeration":
                self.item["enumeration"] += text
            else:
                self.item["clue"] += text
        elif tag in ("title", "h1") or (tag == "p" and classes):
            key = tag if tag != "p" else classes[0]
            self.texts[key] = self.texts.get(key, "") + text


def unscramble(letters):
    """The page's answers: letter A..Z of cell i moved (7 i + 3) mod 26 on."""
    out = ""
    for i, ch in enumerate(letters):
        if "A" <= ch <= "Z":
            ch = chr(65 + (ord(ch) - 65 - (7 * i + 3) % 26) % 26)
        out += ch
    return out


def compare_page(wbx, page_path, name, solution_page):
    try:
        reader = PageReader()
        reader.feed(open(page_path, "rb").read().decode("utf-8"))
        data = json.loads(reader.data)
    except (UnicodeDecodeError, json.JSONDecodeError) as e:
        failures.append(f"{name}: page not readable: {e}")
        return
    columns, rows, cells, clues, marks, word = read_wbx(wbx)
    check(not reader.loads, f"{name}: the page loads {reader.loads}")
    title = os.path.basename(wbx).split(".")[0]
    check(reader.texts.get("title", "").startswith(title), f"{name}: title {reader.texts.get('title')}")
    check(len(reader.cells) == columns * rows, f"{name}: {len(reader.cells)} cells")
    check((data["columns"], data["rows"]) == (columns, rows), f"{name}: data size")
    shown = marks[0][0] >= 0
    count = min(len(word or ""), 20) if shown else 0
    circled = {(m[0], m[1]): m[2] for m in marks[:count]}
    letters = unscramble(data["letters"])
    for (c, r), cell in cells.items():
        at = f"{name} {c},{r}"
        if len(reader.cells) != columns * rows:
            break
        shown_cell = reader.cells[r * columns + c]
        black = cell["letter"] == "."
        check(("black" in shown_cell["classes"]) == black, f"{at}: black")
        check(letters[r * columns + c] == cell["letter"], f"{at}: scrambled letter")
        if black:
            continue
        number = cell["across"] or cell["down"]
        check(shown_cell["num"] == (str(number) if number else ""), f"{at}: number {shown_cell['num']}")
        check(("bar-right" in shown_cell["classes"]) == (cell["right"] and c < columns - 1), f"{at}: bar right")
        check(("bar-below" in shown_cell["classes"]) == (cell["below"] and r < rows - 1), f"{at}: bar below")
        expected_pos = str(circled[c, r]) if (c, r) in circled else ""
        check(shown_cell["pos"] == expected_pos, f"{at}: circle {shown_cell['pos']}")
        check(("circle" in shown_cell["classes"]) == bool(expected_pos), f"{at}: circle class")
        check(shown_cell["letter"] == (cell["letter"] if solution_page else ""), f"{at}: letter shown")
    check(len(marks_in_data := data["marks"]) == count, f"{name}: {len(marks_in_data)} marks for {count}")

    words = data["words"]
    index = 0
    for key, direction in (("across", "waagerecht"), ("down", "senkrecht")):
        expected = [(n, clue) for n, d, clue in clues if d == direction]
        items = reader.lists.get(key, [])
        got = [(i["number"], i["clue"].strip()) for i in items]
        check(got == expected, f"{name}: {key} clues differ: {got[:3]} / {expected[:3]}")
        for item in items:
            word_index = int(item["word"])
            check(word_index == index, f"{name}: word index {word_index} for {index}")
            if word_index < len(words) and words[word_index]["cells"]:
                start = words[word_index]["cells"][0]
                cell = cells[start % columns, start // columns]
                number = cell["across" if key == "across" else "down"]
                check(str(number) == item["number"], f"{name}: {key} {item['number']} starts at {number}")
            index += 1
    if count:
        check(reader.texts.get("intro", "").startswith("Die Buchstaben in den Kreisfeldern"),
              f"{name}: intro")
    else:
        check("intro" not in reader.texts, f"{name}: intro without a solution word")


def hand_made(folder):
    """A puzzle file with texts JSON must escape, an umlaut in the grid and a
    clue row of neither direction."""
    rows = ["xMax=5", "yMax=5"]
    letters = ["HAUS.", "O...Ä", "SEE..", "E....", "....."]
    for r, line in enumerate(letters):
        text = ""
        for c, letter in enumerate(line):
            number = {(0, 0): 1, (4, 1): 2, (0, 2): 3}.get((c, r), 0)
            across = number if (c, r) in ((0, 0), (0, 2)) else 0
            down = number if (c, r) in ((0, 0), (4, 1)) else 0
            mark = " " if letter == "." else "-"
            text += f"{letter}{mark}{across:04d}{down:04d}{int(c == 4 or letter == '.')}1"
        rows.append(text)
    rows += ["1*waagerecht*Gebäude mit \"Dach\" \\ Tür", "3*waagerecht*Gewässer/Teich",
             "1*senkrecht*Beinkleid", "2*senkrecht*Umlaut", "x*Anmerkung*weder noch"]
    rows += ["0|0|1", "2|2|2"] + ["-1|-1|-1"] * 18 + ["hs"]
    path = os.path.join(folder, "Handgemacht.wbx")
    with open(path, "wb") as f:
        f.write("".join(l + "\r\n" for l in rows).encode("cp1252"))
    return path


with tempfile.TemporaryDirectory() as folder:
    cases = [
        ("Tiere-7.wbx", ["Tiere.db", "--seed", "7"]),
        ("Tiere-11.wbx", ["Tiere.db", "--seed", "11", "--size", "21x13"]),
        ("Ohne.wbx", ["Tiere.db", "--seed", "3", "--size", "9x7", "--no-solution-word"]),
        ("Musik.wbx", ["Musik.db", "--seed", "5", "--size", "12x20", "--solution-word", "Flöte"]),
    ]
    files = []
    for name, args in cases:
        table = os.path.join(TABLES, args[0])
        status, err = run(folder, "generate", table, "-o", name, *args[1:])
        check(status in (0, 3) and os.path.exists(os.path.join(folder, name)),
              f"generate {name}: {err}")
        files.append(os.path.join(folder, name))
    files.append(hand_made(folder))
    for wbx in files:
        name = os.path.basename(wbx)
        target = os.path.splitext(wbx)[0] + ".ipuz"
        status, err = run(folder, "export", wbx, "-o", target)
        check(status == 0, f"export {name}: {err}")
        check(not os.path.exists(os.path.splitext(wbx)[0] + ".txt"), f"{name}: clue text written")
        if status == 0:
            compare(wbx, target, name)
        for solution_page, suffix in ((False, ".html"), (True, "-loesung.html")):
            page = os.path.splitext(wbx)[0] + suffix
            status, err = run(folder, "export", wbx, "-o", page, *(["--solution"] if solution_page else []))
            check(status == 0, f"export {name} {suffix}: {err}")
            if status == 0:
                compare_page(wbx, page, name + suffix, solution_page)

for failure in failures[:40]:
    print("FEHLER:", failure)
print(f"{len(files)} Rätsel als ipuz-Datei und Seite geprüft, {len(failures)} Abweichungen.")
sys.exit(1 if failures else 0)
