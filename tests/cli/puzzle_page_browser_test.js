#!/usr/bin/env node
// The puzzle page in a real browser: Debian's chromium, driven by the npm
// package puppeteer-core. Puzzles made by wabolex-cli from the shipped tables
// are exported as pages and solved as a user would: clicking clues, typing
// every answer from the puzzle file, checking, revealing, reloading. The
// screenshots go to the output folder for a look by eye.
//
//   puzzle_page_browser_test.js WABOLEX_CLI TABLE_FOLDER OUTPUT_FOLDER
//
// Without a browser or puppeteer-core the test says so and exits with 77,
// which ctest reports as skipped.
"use strict";

const childProcess = require("child_process");
const fs = require("fs");
const os = require("os");
const path = require("path");

const SKIP = 77;
const [cli, tables, output] = process.argv.slice(2).map((p) => path.resolve(p));
const chromium = process.env.WABOLEX_CHROMIUM || "/usr/bin/chromium";

function loadPuppeteer() {
  try {
    return require("puppeteer-core");
  } catch (e) {
    // Installed with npm install -g by scripts/setup.sh.
    try {
      const root = childProcess.execSync("npm root -g", { encoding: "utf8" }).trim();
      return require(path.join(root, "puppeteer-core"));
    } catch (e2) {
      return null;
    }
  }
}

const puppeteer = loadPuppeteer();
if (!puppeteer || !fs.existsSync(chromium)) {
  console.log("Browsertest übersprungen: " +
    (!puppeteer ? "das npm-Paket puppeteer-core fehlt" : chromium + " fehlt") +
    " (bash scripts/setup.sh installiert beides).");
  process.exit(SKIP);
}

const failures = [];
function check(condition, message) {
  if (!condition) {
    failures.push(message);
    console.log("FEHLER: " + message);
  }
}

function run(folder, args) {
  const result = childProcess.spawnSync(cli, args, { cwd: folder, encoding: "utf8" });
  // 3: a puzzle written without its solution word; any other failure is one.
  if (result.status !== 0 && result.status !== 3) {
    throw new Error("wabolex-cli " + args.join(" ") + ": " + result.stderr);
  }
  return result;
}

// The puzzle file: size lines, 12 characters a cell, clue rows, 20 mark lines
// and the solution word, in Windows-1252 with CR LF.
function readWbx(file) {
  const lines = new TextDecoder("windows-1252").decode(fs.readFileSync(file)).split("\r\n");
  lines.pop();
  const columns = Number(lines[0].split("=")[1]);
  const rows = Number(lines[1].split("=")[1]);
  const letters = [];
  for (let r = 0; r < rows; r++) {
    for (let c = 0; c < columns; c++) {
      letters.push(lines[2 + r].charAt(12 * c));
    }
  }
  const clues = lines.slice(2 + rows, lines.length - 21).map((line) => line.split("*"));
  const marks = lines.slice(lines.length - 21, lines.length - 1).map((l) => l.split("|").map(Number));
  const word = lines[lines.length - 1] === "*" ? "" : lines[lines.length - 1];
  const shown = marks[0][0] >= 0 ? marks.slice(0, Math.min(word.length, 20)) : [];
  const solutionWord = shown
    .slice()
    .sort((a, b) => a[2] - b[2])
    .map((m) => letters[m[1] * columns + m[0]])
    .join("");
  return { columns, rows, letters, clues, solutionWord };
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

async function state(page) {
  return page.evaluate(() => {
    const box = (el) => {
      if (!el) return null;
      const r = el.getBoundingClientRect();
      return { left: r.left, top: r.top, right: r.right, bottom: r.bottom };
    };
    const frame = document.querySelector(".grid-frame");
    return {
      entries: Array.from(document.querySelectorAll("#grid > .cell")).map((cell) => {
        const letter = cell.querySelector(".letter");
        return cell.classList.contains("black") ? "." : letter ? letter.textContent : "";
      }),
      message: document.getElementById("message").textContent,
      boxes: Array.from(document.querySelectorAll("#solution-boxes .letter")).map((b) => b.textContent).join(""),
      active: (document.querySelector(".clue-list li.active") || {}).textContent || "",
      current: (document.getElementById("current-clue") || {}).textContent || "",
      wrong: document.querySelectorAll("#grid .cell.wrong").length,
      currentCell: Array.prototype.indexOf.call(document.getElementById("grid").children,
        document.querySelector("#grid > .cell.current")),
      board: box(document.querySelector(".board")),
      clues: box(document.querySelector(".clues")),
      grid: box(document.getElementById("grid")),
      frame: box(frame),
      frameScrolls: frame.scrollWidth > frame.clientWidth + 1,
      pageWidth: document.documentElement.scrollWidth,
      cell: getComputedStyle(document.body).getPropertyValue("--cell").trim(),
    };
  });
}

function overlaps(a, b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Grid and clues side by side or one below the other, the grid whole or in a
// frame that scrolls, nothing wider than the window.
function checkLayout(name, s, width) {
  check(!overlaps(s.board, s.clues), `${name}: Gitter und Umschreibungen überlappen`);
  check(s.pageWidth <= width + 1, `${name}: Seite ${s.pageWidth} px breit bei ${width} px Fenster`);
  const whole = s.grid.right <= s.frame.right + 1 && s.grid.left >= s.frame.left - 1;
  check(whole || s.frameScrolls, `${name}: Gitter abgeschnitten, ohne zu rollen`);
}

// The answers from the puzzle file (all, or the first `limit` words): a click
// on the first clue, then word by word with Tab, which goes to the next word's
// first empty cell.
async function typeAnswers(page, wbx, limit = Infinity) {
  const words = await page.evaluate(() =>
    JSON.parse(document.getElementById("puzzle-data").textContent).words.map((w) => w.cells));
  const filled = new Set();
  await page.click('.clue-list li[data-word="0"]');
  for (let index = 0; index < Math.min(words.length, limit); index++) {
    if (index > 0) {
      await page.keyboard.press("Tab");
    }
    const cells = words[index];
    if (!cells.length || cells.every((cell) => filled.has(cell))) {
      continue;
    }
    const current = await page.evaluate(() => Array.prototype.indexOf.call(
      document.getElementById("grid").children, document.querySelector("#grid > .cell.current")));
    const from = cells.indexOf(current);
    check(from >= 0, `Tab führt nicht zum Wort ${index}`);
    await page.keyboard.type(cells.slice(Math.max(from, 0)).map((cell) => wbx.letters[cell]).join(""));
    cells.forEach((cell) => filled.add(cell));
  }
}

async function checkPuzzle(browser, folder, name, wbxFile, options) {
  const wbx = readWbx(wbxFile);
  const html = path.join(folder, name + ".html");
  check(run(folder, ["export", wbxFile, "-o", html]).status === 0, `${name}: export`);
  const source = fs.readFileSync(html, "utf8");
  // No answer in plain text: neither the grid row by row nor a long answer.
  const rowsText = [];
  for (let r = 0; r < wbx.rows; r++) {
    rowsText.push(wbx.letters.slice(r * wbx.columns, (r + 1) * wbx.columns).join(""));
  }
  check(!source.includes(wbx.letters.join("")), `${name}: Lösung im Klartext`);
  for (const row of rowsText) {
    for (const part of row.split(".").filter((p) => p.length >= 8)) {
      check(!source.includes(part), `${name}: Antwort ${part} im Klartext`);
    }
  }

  const page = await browser.newPage();
  const requests = [];
  const errors = [];
  page.on("request", (request) => requests.push(request.url()));
  page.on("pageerror", (error) => errors.push(error.message));
  page.on("console", (message) => {
    if (message.type() === "error") errors.push(message.text());
  });
  let dialogs = [];
  let answer = true;
  page.on("dialog", async (dialog) => {
    dialogs.push(dialog.message());
    await (answer ? dialog.accept() : dialog.dismiss());
  });

  await page.setViewport({ width: 1280, height: 800 });
  await page.goto("file://" + html);
  let s = await state(page);
  checkLayout(name + " 1280×800", s, 1280);
  check(s.board.right <= s.clues.left, `${name}: Umschreibungen nicht neben dem Gitter`);
  await page.screenshot({ path: path.join(output, `${name}-1280x800.png`) });

  if (options.full) {
    // A click on a clue selects its word; Tab goes on to the next word.
    await page.click('.clue-list li[data-word="0"]');
    s = await state(page);
    check(s.active.includes(wbx.clues.find((c) => c[1] === "waagerecht")[2]), `${name}: Klick auf die erste Umschreibung`);
    check(s.current.startsWith(s.active.trim().split(/\s+/)[0]), `${name}: Zeile der aktuellen Umschreibung: ${s.current}`);
    await page.keyboard.press("Tab");
    const afterTab = (await state(page)).active;
    check(afterTab !== s.active && afterTab !== "", `${name}: Tab springt nicht weiter`);
    await page.keyboard.down("Shift");
    await page.keyboard.press("Tab");
    await page.keyboard.up("Shift");
    check((await state(page)).active === s.active, `${name}: Umschalt+Tab springt nicht zurück`);

    // A second click on a crossing cell turns the direction.
    const crossing = await page.evaluate(() => {
      const data = JSON.parse(document.getElementById("puzzle-data").textContent);
      const across = new Set(), down = new Set();
      data.words.forEach((w) => w.cells.forEach((c) => (w.across ? across : down).add(c)));
      return [...across].find((c) => down.has(c));
    });
    if (crossing !== undefined) {
      const selector = `#grid > .cell:nth-child(${crossing + 1})`;
      await page.click(selector);
      const first = (await state(page)).current;
      await page.click(selector);
      const second = (await state(page)).current;
      check(/waagerecht/.test(first) !== /waagerecht/.test(second), `${name}: zweiter Klick wechselt die Richtung nicht (${first} / ${second})`);
      // An arrow key moves on to the next letter cell of the row.
      let expected = crossing;
      for (let c = (crossing % wbx.columns) + 1; c < wbx.columns; c++) {
        if (wbx.letters[crossing - (crossing % wbx.columns) + c] !== ".") {
          expected = crossing - (crossing % wbx.columns) + c;
          break;
        }
      }
      await page.keyboard.press("ArrowRight");
      check((await state(page)).currentCell === expected, `${name}: Pfeil nach rechts`);
    }

    // A wrong letter is marked by "Prüfen"; "Aufdecken" fills a word.
    await page.click('.clue-list li[data-word="0"]');
    const firstLetter = (await page.evaluate(() =>
      JSON.parse(document.getElementById("puzzle-data").textContent).words[0].cells[0]));
    await page.keyboard.type(wbx.letters[firstLetter] === "Q" ? "X" : "Q");
    await page.click('[data-action="check"]');
    s = await state(page);
    check(s.wrong === 1, `${name}: Prüfen markiert ${s.wrong} statt 1 falschen Buchstaben`);
    check(/falscher Buchstabe/.test(s.message), `${name}: Meldung nach Prüfen: ${s.message}`);
    await page.click('.clue-list li[data-word="0"]');
    await page.click('[data-action="reveal"]');
    await page.click('[data-action="reveal-word"]');
    s = await state(page);
    check(s.entries[firstLetter] === wbx.letters[firstLetter], `${name}: Wort aufdecken`);

    // "Lösung zeigen" asks first; No changes nothing.
    answer = false;
    dialogs = [];
    await page.click('[data-action="show-solution"]');
    check(dialogs.length === 1, `${name}: Lösung zeigen fragt nicht`);
    const filled = (await state(page)).entries.filter((e) => e && e !== ".").length;
    check(filled < wbx.letters.filter((l) => l !== ".").length, `${name}: Lösung trotz Nein gezeigt`);
    answer = true;
    await page.click('[data-action="reset"]');
    s = await state(page);
    check(s.entries.every((e) => e === "" || e === "."), `${name}: Zurücksetzen leert nicht`);

    // Half way: the look the README shows.
    await typeAnswers(page, wbx, 9);
    await page.click('.clue-list li[data-word="9"]');
    await page.keyboard.type(wbx.letters[(await page.evaluate(() =>
      JSON.parse(document.getElementById("puzzle-data").textContent).words[9].cells[0]))]);
    await page.screenshot({ path: path.join(output, `${name}-1280x800-angefangen.png`) });
    await page.setViewport({ width: 390, height: 844, isMobile: true, hasTouch: true });
    await page.evaluate(() => window.scrollTo(0, 0));
    await page.screenshot({ path: path.join(output, `${name}-390x844-angefangen.png`) });
    await page.setViewport({ width: 1280, height: 800 });
  }

  // The whole solution typed from the puzzle file.
  await typeAnswers(page, wbx);
  s = await state(page);
  check(s.entries.join("") === wbx.letters.map((l) => (l === "." ? "." : l)).join(""), `${name}: Gitter nach dem Tippen falsch`);
  check(/Glückwunsch/.test(s.message), `${name}: keine Meldung nach dem Lösen: "${s.message}"`);
  if (wbx.solutionWord) {
    check(s.message.includes(wbx.solutionWord), `${name}: Lösungswort ${wbx.solutionWord} fehlt in "${s.message}"`);
    check(s.boxes === wbx.solutionWord, `${name}: Lösungswortfelder "${s.boxes}" statt ${wbx.solutionWord}`);
  } else {
    check(s.boxes === "" && !/Lösungswort/.test(s.message), `${name}: Lösungswort ohne Lösungswort`);
  }
  await page.screenshot({ path: path.join(output, `${name}-1280x800-geloest.png`) });

  // Reloaded: the progress comes back from the browser's storage.
  await page.reload();
  s = await state(page);
  check(s.entries.join("") === wbx.letters.join(""), `${name}: Stand nach dem Neuladen verloren`);
  check(/Glückwunsch/.test(s.message), `${name}: Meldung nach dem Neuladen: "${s.message}"`);

  // A phone.
  await page.setViewport({ width: 390, height: 844, isMobile: true, hasTouch: true });
  await page.evaluate(() => window.localStorage.clear());
  await page.reload();
  s = await state(page);
  checkLayout(name + " 390×844", s, 390);
  check(s.clues.top >= s.board.bottom, `${name}: Umschreibungen nicht unter dem Gitter auf dem Telefon`);
  await page.screenshot({ path: path.join(output, `${name}-390x844.png`) });

  // Printed: the empty sheet, without buttons.
  await page.emulateMediaType("print");
  const printed = await page.evaluate(() => ({
    toolbar: getComputedStyle(document.querySelector(".toolbar")).display,
    letter: (() => {
      const l = document.querySelector("#grid .letter");
      return l ? getComputedStyle(l).display : "none";
    })(),
    columns: getComputedStyle(document.querySelector(".clues")).columnCount,
  }));
  check(printed.toolbar === "none" && printed.letter === "none", `${name}: Druck zeigt Knöpfe oder Buchstaben`);
  check(printed.columns === "3", `${name}: Druck ohne Spalten`);
  if (options.full) {
    await page.pdf({ path: path.join(output, `${name}-druck.pdf`), format: "A4" });
  }
  await page.emulateMediaType(null);

  check(errors.length === 0, `${name}: Fehler im Browser: ${errors.join("; ")}`);
  const foreign = requests.filter((url) => !url.startsWith("file:") && !url.startsWith("data:"));
  check(foreign.length === 0, `${name}: Zugriffe außerhalb der Datei: ${foreign.join(" ")}`);
  await page.close();
}

async function checkSolutionPage(browser, folder, name, wbxFile) {
  const wbx = readWbx(wbxFile);
  const html = path.join(folder, name + "-loesung.html");
  check(run(folder, ["export", wbxFile, "-o", html, "--solution"]).status === 0, `${name}: export --solution`);
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 800 });
  await page.goto("file://" + html);
  const s = await state(page);
  check(s.entries.join("") === wbx.letters.join(""), `${name}: Lösungsseite nicht gefüllt`);
  check(s.boxes === wbx.solutionWord, `${name}: Lösungsseite ohne Lösungswort`);
  await page.screenshot({ path: path.join(output, `${name}-loesung-1280x800.png`) });
  await page.close();
}

async function main() {
  fs.mkdirSync(output, { recursive: true });
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), "wabolex-browser-"));
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "wabolex-chromium-"));
  const general = path.join(tables, "Allgemein.db");
  const cases = [
    { name: "raetsel-15x15", args: [general, "--seed", "1"], full: true },
    { name: "raetsel-25x25", args: [general, "--seed", "2", "--size", "25x25"], full: false },
    { name: "ohne-loesungswort", args: [general, "--seed", "3", "--no-solution-word"], full: false },
    { name: "raetsel-5x5", args: [path.join(tables, "Kurzwörter2004.DB"), "--seed", "4", "--size", "5x5", "--solution-word", "OHR"], full: false },
  ];
  const browser = await puppeteer.launch({
    executablePath: chromium,
    headless: true,
    args: ["--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
      "--disable-component-update", "--disable-sync", "--no-first-run", "--user-data-dir=" + profile],
  });
  try {
    for (const c of cases) {
      const wbx = path.join(folder, c.name + ".wbx");
      run(folder, ["generate", ...c.args, "-o", wbx]);
      check(fs.existsSync(wbx), `${c.name}: kein Rätsel erzeugt`);
      const started = Date.now();
      await checkPuzzle(browser, folder, c.name, wbx, c);
      console.log(`${c.name}: ${((Date.now() - started) / 1000).toFixed(1)} s`);
      if (c.full) {
        await checkSolutionPage(browser, folder, c.name, wbx);
      }
    }
    // The largest grid: a look, the layout and a few letters.
    const largest = path.join(folder, "raetsel-99x99.wbx");
    run(folder, ["generate", general, "--seed", "5", "--size", "99x99", "-o", largest]);
    const html = path.join(folder, "raetsel-99x99.html");
    run(folder, ["export", largest, "-o", html]);
    const page = await browser.newPage();
    for (const [width, height] of [[1280, 800], [390, 844]]) {
      await page.setViewport({ width, height, isMobile: width < 500, hasTouch: width < 500 });
      await page.goto("file://" + html);
      const s = await state(page);
      checkLayout(`raetsel-99x99 ${width}×${height}`, s, width);
      check(s.frameScrolls, `raetsel-99x99 ${width}×${height}: das Gitter rollt nicht`);
      await page.screenshot({ path: path.join(output, `raetsel-99x99-${width}x${height}.png`) });
    }
    await page.close();
  } finally {
    await browser.close();
    await sleep(100);
    fs.rmSync(folder, { recursive: true, force: true });
    fs.rmSync(profile, { recursive: true, force: true });
  }
  console.log(`Browsertest: ${failures.length} Abweichungen; Bildschirmfotos in ${output}`);
  process.exit(failures.length ? 1 : 0);
}

main().catch((error) => {
  console.log("FEHLER: " + (error && error.stack || error));
  process.exit(1);
});
