// The puzzle page of Wabolex: solving in the browser. No framework, no
// network; progress is kept in the browser's localStorage under
// "wabolex:" and the puzzle's id.
(function () {
  "use strict";

  var data = JSON.parse(document.getElementById("puzzle-data").textContent);
  var grid = document.getElementById("grid");
  var frame = grid.parentNode;
  var cellElements = grid.children; // one per cell, row by row
  var columns = data.columns;
  var rows = data.rows;
  var count = columns * rows;
  var words = data.words;
  var marks = data.marks;
  var solutionRow = document.querySelector(".solution-row");
  var cluePanel = document.querySelector(".clues");

  // The answers as the page stores them: letter A..Z of cell i moved
  // (7 * i + 3) mod 26 places on in the alphabet; "." is a black cell; other
  // characters stand as they are.
  function unscramble(ch, i) {
    var code = ch.charCodeAt(0);
    if (code < 65 || code > 90) {
      return ch;
    }
    return String.fromCharCode(65 + (code - 65 - (7 * i + 3) % 26 + 26) % 26);
  }

  var solution = [];
  var alphabet = {};
  for (var i = 0; i < count; i++) {
    var stored = data.letters.charAt(i);
    solution.push(stored === "." ? null : unscramble(stored, i));
    if (solution[i] !== null) {
      alphabet[solution[i]] = true;
    }
  }

  // The cell size that fits the window: the whole grid where it can, never
  // smaller than a finger or a mouse can hit; the grid scrolls beyond that.
  function fit() {
    var coarse = window.matchMedia && window.matchMedia("(pointer: coarse)").matches;
    var smallest = coarse ? 24 : 20;
    var width = frame.clientWidth - 4;
    var top = frame.getBoundingClientRect().top + window.pageYOffset;
    var below = (solutionRow ? solutionRow.offsetHeight + 12 : 0) + 40;
    var height = window.innerHeight - top - below;
    var size = Math.floor(Math.min(width / columns, height / rows));
    size = Math.max(smallest, Math.min(40, size));
    document.body.style.setProperty("--cell", size + "px");
    fitClues();
  }

  // Beside the grid, the clue lists reach down to the window's lower edge.
  function fitClues() {
    if (window.getComputedStyle(cluePanel).position !== "sticky") {
      cluePanel.style.maxHeight = "";
      return;
    }
    var top = Math.max(8, cluePanel.getBoundingClientRect().top);
    cluePanel.style.maxHeight = Math.max(200, window.innerHeight - top - 8) + "px";
  }
  fit();
  window.addEventListener("resize", fit);
  window.addEventListener("scroll", fitClues, { passive: true });

  if (data.solution) {
    return; // the filled page takes no input
  }

  var entries = [];
  var revealed = [];
  var letterElements = [];
  var letterCount = 0;
  var right = 0; // cells whose entry is their letter
  var touched = []; // cells changed since the last refresh
  for (i = 0; i < count; i++) {
    entries.push("");
    revealed.push(false);
    cellElements[i].setAttribute("data-cell", String(i));
    if (solution[i] !== null) {
      letterCount++;
      var span = document.createElement("span");
      span.className = "letter";
      cellElements[i].appendChild(span);
      letterElements.push(span);
    } else {
      letterElements.push(null);
    }
  }

  // Which word of each direction passes through a cell.
  var wordAt = [{}, {}];
  var clueItems = [];
  words.forEach(function (word, index) {
    var direction = word.across ? 0 : 1;
    word.cells.forEach(function (cell) {
      if (!(cell in wordAt[direction])) {
        wordAt[direction][cell] = index;
      }
    });
    clueItems.push(document.querySelector('.clue-list li[data-word="' + index + '"]'));
  });

  var boxes = document.querySelectorAll("#solution-boxes .letter");
  var message = document.getElementById("message");
  var currentClue = document.getElementById("current-clue");
  var revealButton = document.querySelector('[data-action="reveal"]');
  var revealMenu = document.querySelector(".reveal-menu");

  var input = document.createElement("input");
  input.className = "input-catcher";
  input.setAttribute("type", "text");
  input.setAttribute("autocomplete", "off");
  input.setAttribute("autocapitalize", "characters");
  input.setAttribute("autocorrect", "off");
  input.setAttribute("spellcheck", "false");
  input.setAttribute("aria-label", "Buchstaben eingeben");
  frame.appendChild(input);

  var current = -1;
  var direction = 0;
  var solved = false;
  var marked = [];

  // --- Progress in the browser ------------------------------------------------
  var storageKey = "wabolex:" + data.id;

  function save() {
    try {
      window.localStorage.setItem(storageKey, JSON.stringify({
        entries: entries.map(function (e) { return e || " "; }).join(""),
        revealed: revealed.map(function (r) { return r ? "1" : "0"; }).join("")
      }));
    } catch (e) {
      // No storage (private mode, blocked): the page works without it.
    }
  }

  function restore() {
    var saved = null;
    try {
      saved = JSON.parse(window.localStorage.getItem(storageKey));
    } catch (e) {
      return false;
    }
    if (!saved || typeof saved.entries !== "string" || saved.entries.length !== count) {
      return false;
    }
    var any = false;
    for (var i = 0; i < count; i++) {
      var ch = saved.entries.charAt(i);
      if (solution[i] !== null && ch !== " ") {
        show(i, ch, saved.revealed && saved.revealed.charAt(i) === "1");
        any = true;
      }
    }
    return any;
  }

  // --- Cells -------------------------------------------------------------------
  function show(i, ch, wasRevealed) {
    right += (ch === solution[i] ? 1 : 0) - (entries[i] === solution[i] ? 1 : 0);
    touched.push(i);
    entries[i] = ch;
    revealed[i] = !!(ch && wasRevealed);
    letterElements[i].textContent = ch;
    cellElements[i].classList.remove("wrong");
    cellElements[i].classList.toggle("revealed", revealed[i]);
  }

  function wordOf(cell, dir) {
    var index = wordAt[dir][cell];
    return index === undefined ? null : index;
  }

  function currentWord() {
    return current < 0 ? null : wordOf(current, direction);
  }

  var activeItem = null;
  var crossingItem = null;

  function highlight() {
    marked.forEach(function (i) {
      cellElements[i].classList.remove("word", "current");
    });
    marked = [];
    if (activeItem) {
      activeItem.classList.remove("active");
      activeItem = null;
    }
    if (crossingItem) {
      crossingItem.classList.remove("crossing");
      crossingItem = null;
    }
    if (current < 0) {
      return;
    }
    var index = currentWord();
    currentClue.textContent = "";
    if (index !== null) {
      words[index].cells.forEach(function (i) {
        cellElements[i].classList.add("word");
        marked.push(i);
      });
      activeItem = clueItems[index];
      if (activeItem) {
        activeItem.classList.add("active");
        keepInView(activeItem);
      }
      var label = document.createElement("b");
      label.textContent = words[index].number + " " + (words[index].across ? "waagerecht" : "senkrecht");
      currentClue.appendChild(label);
      currentClue.appendChild(document.createTextNode(words[index].clue));
    }
    var crossing = wordOf(current, 1 - direction);
    if (crossing !== null && clueItems[crossing]) {
      crossingItem = clueItems[crossing];
      crossingItem.classList.add("crossing");
    }
    cellElements[current].classList.add("current");
    marked.push(current);
    placeInput();
  }

  // The clue list scrolls by itself where it has its own scroll bar.
  function keepInView(item) {
    if (cluePanel.scrollHeight <= cluePanel.clientHeight + 1) {
      return;
    }
    var panel = cluePanel.getBoundingClientRect();
    var box = item.getBoundingClientRect();
    if (box.top < panel.top + 4) {
      cluePanel.scrollTop -= panel.top - box.top + 40;
    } else if (box.bottom > panel.bottom - 4) {
      cluePanel.scrollTop += box.bottom - panel.bottom + 40;
    }
  }

  // The hidden field that takes the keys sits on the current cell, so that a
  // phone scrolls to it and shows its keyboard there.
  function placeInput() {
    var cell = cellElements[current];
    input.style.left = cell.offsetLeft + grid.offsetLeft + "px";
    input.style.top = cell.offsetTop + grid.offsetTop + "px";
  }

  function select(cell, dir) {
    if (cell < 0 || solution[cell] === null) {
      return;
    }
    current = cell;
    if (dir !== undefined) {
      direction = dir;
    }
    if (wordOf(current, direction) === null && wordOf(current, 1 - direction) !== null) {
      direction = 1 - direction;
    }
    highlight();
    var box = cellElements[current].getBoundingClientRect();
    if (box.top < 0 || box.left < 0 || box.bottom > window.innerHeight || box.right > window.innerWidth) {
      cellElements[current].scrollIntoView({ block: "nearest", inline: "nearest" });
    }
  }

  function focusInput() {
    try {
      input.focus({ preventScroll: true });
    } catch (e) {
      input.focus();
    }
  }

  // --- Typing ------------------------------------------------------------------
  // The grid spells umlauts and ß as the tables do.
  var spelled = { "\u00c4": "AE", "\u00d6": "OE", "\u00dc": "UE", "SS": "SS", "\u1e9e": "SS" };

  function type(text) {
    for (var k = 0; k < text.length; k++) {
      var ch = text.charAt(k);
      if (/\s/.test(ch)) {
        continue;
      }
      var upper = ch.toUpperCase();
      if (alphabet[upper]) {
        put(upper);
      } else if (spelled[upper]) {
        put(spelled[upper].charAt(0));
        put(spelled[upper].charAt(1));
      } else if (upper.length === 1) {
        put(upper);
      }
    }
    changed();
  }

  function put(ch) {
    if (current < 0) {
      return;
    }
    show(current, ch, false);
    var index = currentWord();
    if (index !== null) {
      var cells = words[index].cells;
      var at = cells.indexOf(current);
      if (at >= 0 && at + 1 < cells.length) {
        select(cells[at + 1]);
      }
    }
  }

  function backspace() {
    if (current < 0) {
      return;
    }
    if (entries[current]) {
      show(current, "", false);
    } else {
      var index = currentWord();
      if (index !== null) {
        var cells = words[index].cells;
        var at = cells.indexOf(current);
        if (at > 0) {
          select(cells[at - 1]);
          show(current, "", false);
        }
      }
    }
    changed();
  }

  // One step to the next letter cell in that direction, over black cells.
  function step(dx, dy) {
    if (current < 0) {
      return;
    }
    var c = current % columns;
    var r = Math.floor(current / columns);
    for (;;) {
      c += dx;
      r += dy;
      if (c < 0 || r < 0 || c >= columns || r >= rows) {
        select(current, dx !== 0 ? 0 : 1);
        return;
      }
      if (solution[r * columns + c] !== null) {
        select(r * columns + c, dx !== 0 ? 0 : 1);
        return;
      }
    }
  }

  function selectWord(index) {
    var cells = words[index].cells;
    if (!cells.length) {
      return;
    }
    var target = cells[0];
    for (var k = 0; k < cells.length; k++) {
      if (!entries[cells[k]]) {
        target = cells[k];
        break;
      }
    }
    select(target, words[index].across ? 0 : 1);
  }

  // Tab: the next word in the order of the lists, across first.
  function nextWord(delta) {
    var index = currentWord();
    if (index === null) {
      index = delta > 0 ? -1 : 0;
    }
    for (var tries = 0; tries < words.length; tries++) {
      index = (index + delta + words.length) % words.length;
      if (words[index].cells.length) {
        selectWord(index);
        return;
      }
    }
  }

  // --- State after every change -----------------------------------------------
  function solutionWord() {
    return marks.map(function (cell) { return entries[cell] || ""; }).join("");
  }

  function isSolved() {
    return right === letterCount;
  }

  function say(text, happy) {
    message.textContent = text;
    message.classList.toggle("solved", !!happy);
  }

  function congratulation() {
    return "Gl\u00fcckwunsch, alles richtig!" +
      (marks.length ? " Das L\u00f6sungswort lautet " + solutionWord() + "." : "");
  }

  function markFilled(index) {
    if (index !== null && clueItems[index]) {
      clueItems[index].classList.toggle("filled", words[index].cells.length > 0 &&
        words[index].cells.every(function (i) { return !!entries[i]; }));
    }
  }

  // The solution word's boxes, and the clues whose words are now full or no
  // longer: those through the cells changed since the last time.
  function refresh() {
    for (var k = 0; k < boxes.length; k++) {
      boxes[k].textContent = entries[marks[k]] || "";
    }
    var seen = {};
    touched.forEach(function (i) {
      [wordOf(i, 0), wordOf(i, 1)].forEach(function (index) {
        if (index !== null && !seen[index]) {
          seen[index] = true;
          markFilled(index);
        }
      });
    });
    touched = [];
  }

  function changed() {
    refresh();
    save();
    var now = isSolved();
    if (now && !solved) {
      say(congratulation(), true);
    } else if (!now && solved) {
      say("", false);
    }
    solved = now;
  }

  // --- Buttons -----------------------------------------------------------------
  function check() {
    var wrong = 0;
    var empty = 0;
    for (var i = 0; i < count; i++) {
      if (solution[i] === null) {
        continue;
      }
      if (!entries[i]) {
        empty++;
      } else if (entries[i] !== solution[i]) {
        wrong++;
        cellElements[i].classList.add("wrong");
      }
    }
    if (wrong === 1) {
      say("1 falscher Buchstabe ist markiert.", false);
    } else if (wrong > 1) {
      say(wrong + " falsche Buchstaben sind markiert.", false);
    } else if (empty > 0) {
      say("Bisher alles richtig. Es fehlen noch " + empty +
          (empty === 1 ? " Buchstabe." : " Buchstaben."), false);
    } else {
      say(congratulation(), true);
    }
  }

  function reveal(cells) {
    cells.forEach(function (i) {
      if (entries[i] !== solution[i]) {
        show(i, solution[i], true);
      }
    });
    changed();
  }

  function showSolution() {
    if (!window.confirm("Soll die ganze L\u00f6sung gezeigt werden?")) {
      return;
    }
    var all = [];
    for (var i = 0; i < count; i++) {
      if (solution[i] !== null) {
        all.push(i);
      }
    }
    solved = true; // no congratulations for a shown solution
    reveal(all);
    say("Die L\u00f6sung ist aufgedeckt." +
        (marks.length ? " Das L\u00f6sungswort lautet " + solutionWord() + "." : ""), false);
  }

  function reset() {
    if (!window.confirm("Sollen alle Eingaben gel\u00f6scht werden?")) {
      return;
    }
    for (var i = 0; i < count; i++) {
      if (solution[i] !== null) {
        show(i, "", false);
      }
    }
    solved = false;
    changed();
    say("", false);
    if (words.length) {
      selectWord(0);
    }
  }

  function closeMenu() {
    revealMenu.hidden = true;
    revealButton.setAttribute("aria-expanded", "false");
  }

  var actions = {
    "check": check,
    "reveal": function () {
      revealMenu.hidden = !revealMenu.hidden;
      revealButton.setAttribute("aria-expanded", revealMenu.hidden ? "false" : "true");
      return true; // the menu keeps the focus
    },
    "reveal-letter": function () {
      closeMenu();
      if (current >= 0) {
        reveal([current]);
      }
    },
    "reveal-word": function () {
      closeMenu();
      var index = currentWord();
      if (index !== null) {
        reveal(words[index].cells);
      } else if (current >= 0) {
        reveal([current]);
      }
    },
    "show-solution": showSolution,
    "reset": reset
  };

  document.addEventListener("click", function (event) {
    var button = event.target.closest("[data-action]");
    if (!button || !actions[button.getAttribute("data-action")]) {
      if (!event.target.closest(".reveal")) {
        closeMenu();
      }
      return;
    }
    if (!actions[button.getAttribute("data-action")]()) {
      focusInput();
    }
  });

  // --- Mouse and keys ----------------------------------------------------------
  grid.addEventListener("click", function (event) {
    var element = event.target.closest("[data-cell]");
    if (!element) {
      return;
    }
    var cell = Number(element.getAttribute("data-cell"));
    if (solution[cell] === null) {
      focusInput();
      return;
    }
    if (cell === current && wordOf(cell, 1 - direction) !== null) {
      select(cell, 1 - direction); // a second click turns the direction
    } else {
      select(cell);
    }
    focusInput();
  });

  clueItems.forEach(function (item, index) {
    if (item) {
      item.addEventListener("click", function () {
        selectWord(index);
        focusInput();
      });
    }
  });

  input.addEventListener("keydown", function (event) {
    if (event.ctrlKey || event.metaKey || event.altKey) {
      return;
    }
    switch (event.key) {
      case "ArrowLeft": step(-1, 0); break;
      case "ArrowRight": step(1, 0); break;
      case "ArrowUp": step(0, -1); break;
      case "ArrowDown": step(0, 1); break;
      case "Tab": nextWord(event.shiftKey ? -1 : 1); break;
      case "Backspace": backspace(); break;
      case "Delete":
        if (current >= 0) {
          show(current, "", false);
          changed();
        }
        break;
      case "Enter":
        if (current >= 0) {
          select(current, 1 - direction);
        }
        break;
      case "Escape": closeMenu(); break;
      default:
        if (event.key.length !== 1 || event.key === " ") {
          return;
        }
        type(event.key);
    }
    event.preventDefault();
  });

  // Phones send their letters as input, not as keys.
  input.addEventListener("input", function () {
    var text = input.value;
    input.value = "";
    if (text) {
      type(text);
    }
  });

  // --- Start -------------------------------------------------------------------
  var restored = restore();
  solved = isSolved();
  refresh();
  if (solved) {
    say(congratulation(), true);
  } else if (restored) {
    say("Dein Stand ist wiederhergestellt.", false);
  }
  var first = words.length ? words[0].cells[0] : -1;
  if (first === undefined || first < 0) {
    for (i = 0; i < count && first < 0; i++) {
      if (solution[i] !== null) {
        first = i;
      }
    }
  }
  if (first !== undefined && first >= 0) {
    current = first;
    direction = wordOf(first, 0) !== null ? 0 : 1;
    highlight();
  }
})();
