#pragma once

#include "model/Puzzle.h"
#include "model/SolvingSession.h"
#include "model/ViewFlags.h"

#include <cstdint>
#include <functional>

// On-screen solving, without any window: the solver's entries, the counters and
// the typing direction live in the session; starting and ending it switches the
// window's view. Each step tells the window what to show; the window owns the
// message boxes and the beep. Keys are Windows-1252 character codes.
class Solver {
public:
    // What the window has to do after a key.
    struct KeyOutcome {
        bool Consumed = false;  // the key was used here; the grid must not act on it
        bool Beep = false;      // a key on a black cell
        bool Refused = false;   // show the refusal box; nothing else changes
        bool Repaint = false;   // the grid must be drawn again
        bool Completed = false; // show the completion box, then call EndSolving
        int32_t Column = 0;     // the current cell afterwards
        int32_t Row = 0;
    };

    enum class PeekOutcome { Ignored, Occupied, Shown };

    Solver(const Puzzle& puzzle, SolvingSession& session, ViewFlags& view)
        : puzzle_(puzzle), session_(session), view_(view) {}

    // "&Lösen": every letter cell empty, counters 0, no typing direction.
    void Start();

    // One typed character on the current cell (column, row).
    KeyOutcome Key(int32_t column, int32_t row, unsigned char key);

    // After the completion box has been closed.
    void EndSolving() { view_.Solving = false; }

    // Shows the right letter of an empty cell for one synchronous repaint; the
    // entry is empty again afterwards.
    PeekOutcome Peek(int32_t column, int32_t row, const std::function<void()>& repaintNow);

    // "&Anzeigen" of the solution; returns whether solving was running.
    bool ShowSolution();

    // Only codes "A".."z" are letters; a..z are stored as capitals, the six
    // characters between "Z" and "a" as typed.
    static bool IsLetterKey(unsigned char key) { return key >= 65 && key <= 122; }
    static char Capital(unsigned char key);

private:
    const Puzzle& puzzle_;
    SolvingSession& session_;
    ViewFlags& view_;
};
