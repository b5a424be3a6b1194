#pragma once

#include "model/AvailableWords.h"
#include "model/Direction.h"
#include "model/GenerationRun.h"
#include "model/OpenSlots.h"
#include "model/Placement.h"
#include "model/SlotQueue.h"
#include "model/TFeld.h"
#include "model/WordIndex.h"

#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

// The driver's search through the word index. A placement attempt that fails
// changes nothing, so the driver may skip every entry whose attempts would all
// fail without a trace. This search names the next entry that matters and, where
// the scan's result is certain, where the scan would place it: the first fitting
// open slot in scan order.
//
// Its knowledge only shrinks as the grid fills: slots close or gain letters and
// words become unavailable. So the first entry found to fit a slot stays a lower
// bound for that slot, and the search goes on from there the next time.
class IndexedSearch {
public:
    // The entry the driver tries next.
    struct Trial {
        int32_t Entry = 0;
        // Where the scan places it: in the direction asked, or (on the whole grid)
        // in the other one after the first attempt failed. Without it, every
        // attempt of the entry fails, unless NeedsScan is set.
        std::optional<Placement> Placed;
        // A word outside the index: only the scan can tell where it goes.
        bool NeedsScan = false;
    };

    // Starts from the grid and the run as they are; the run's flags only go
    // from available to taken while the search lives.
    IndexedSearch(const TFeld& grid, const GenerationRun& run);

    // The chain step from entry `from` on (main words that fit the direction): the
    // first entry with an acceptable position in its window around the anchor.
    std::optional<Trial> NextInChain(int32_t from, Direction direction, const Placement& anchor);
    // The free step (minCrossings 2) and the fill pass (1) from entry `from` on up
    // to `last`: the first entry whose turn on the whole grid places it, or that
    // fits only this direction and so turns the direction when it fails. The fill
    // pass asks with `from` never going back.
    std::optional<Trial> NextOnWholeGrid(int32_t from, int32_t last, Direction direction,
                                         int32_t minCrossings);

    // Every placement of the run, however it was made, comes here.
    void Placed(const Placement& placed);

private:
    static constexpr int32_t None = AvailableWords::None;

    struct Candidate {
        int32_t Entry = None;
        int32_t Row = 0;
        int32_t Column = 0;
        bool Before(const Candidate& other) const {
            return Entry != other.Entry
                       ? Entry < other.Entry
                       : (Row != other.Row ? Row < other.Row : Column < other.Column);
        }
    };

    // The open slots of one crossing count in queues per direction and length.
    struct Queues {
        int32_t MinCrossings = 1;
        bool Active = false;
        int32_t Last = 0;
        // The free step asks from entry 1 on in every pass: its bounds count from
        // there. The fill pass sweeps once: its bounds count from its position.
        bool FromFirstEntry = false;
        int32_t Base = 1;
        std::array<SlotQueue, 2 * (WordIndex::MaxLength + 1)> ByLength;
        SlotQueue& Of(Direction direction, int32_t length) {
            return ByLength[static_cast<size_t>(direction) * (WordIndex::MaxLength + 1) +
                            static_cast<size_t>(length)];
        }
    };

    int32_t Side(Direction direction) const { return slots_.LineLength(direction); }
    bool Fits(int32_t length, Direction direction) const {
        return length >= 1 && length < Side(direction);
    }
    size_t SlotId(Direction direction, int32_t length, int32_t line, int32_t start) const;
    // The first available entry in from .. last that fits the open slot; None if none.
    int32_t FirstFit(Direction direction, int32_t length, int32_t line, int32_t start, int32_t from,
                     int32_t last);
    // The first slot of the queue's direction and length in scan order among those
    // that the first entry from `from` on, at most limit, fits.
    Candidate QueueFirst(Queues& queues, Direction direction, int32_t length, int32_t from,
                         int32_t limit);
    void Prepare(Queues& queues, int32_t from, int32_t last);
    void PushSlot(Queues& queues, Direction direction, int32_t line, int32_t length, int32_t start);
    // The lengths that fit the direction with an available word in from .. last,
    // by their first such word: the earliest candidates come first and bound the rest.
    struct LengthOrder {
        std::array<std::pair<int32_t, int32_t>, WordIndex::MaxLength>
            Items{}; // first entry, length
        size_t Count = 0;
        void push_back(std::pair<int32_t, int32_t> item) { Items[Count++] = item; }
        auto begin() { return Items.begin(); }
        auto end() { return Items.begin() + static_cast<std::ptrdiff_t>(Count); }
    };
    LengthOrder LengthsByFirstEntry(int32_t from, int32_t last, Direction direction);
    // The first available word outside the index in from .. last that fits.
    int32_t FirstUncovered(int32_t from, int32_t last, Direction direction) const;

    const TFeld& grid_;
    const GenerationRun& run_;
    const WordIndex& index_;
    AvailableWords words_;
    OpenSlots slots_;
    std::vector<int32_t> bound_; // per slot: no entry before it fits, counted from entry 1
    Queues free_;
    Queues fill_;
};
