"""Reads Wabolex puzzle files for the report scripts."""


def read_wbx(path):
    """The file's lines and its cells: (column, row) -> (letter, across number,
    down number, bar right, bar below)."""
    with open(path, encoding="cp1252", newline="") as f:
        lines = f.read().split("\r\n")
    if lines and lines[-1] == "":
        lines.pop()  # the last line ends with CR LF too
    columns = int(lines[0].split("=")[1])
    rows = int(lines[1].split("=")[1])
    cells = {}
    for r in range(rows):
        line = lines[2 + r]
        for c in range(columns):
            cell = line[12 * c:12 * c + 12]
            cells[c, r] = (cell[0], int(cell[2:6]), int(cell[6:10]), cell[10] == "1", cell[11] == "1")
    return lines, rows, cells
