#include "model/IndexedSearch.h"

#include <algorithm>
#include <bit>

namespace {

using Bits = OpenSlots::Bits;

int32_t LowestBit(Bits bits) {
    const auto low = static_cast<uint64_t>(bits);
    return low != 0 ? std::countr_zero(low)
                    : 64 + std::countr_zero(static_cast<uint64_t>(bits >> 64));
}

// Positions from .. to along a line (to < 128).
Bits Range(int32_t from, int32_t to) {
    if (to < from) {
        return 0;
    }
    return ((Bits{1} << (to - from + 1)) - 1) << from;
}

} // namespace

IndexedSearch::IndexedSearch(const TFeld& grid, const GenerationRun& run)
    : grid_(grid), run_(run), index_(run.Words.Index()), words_(index_, run.Available),
      slots_(grid), bound_(2 * (WordIndex::MaxLength + 1) * static_cast<size_t>(grid.Columns()) *
                               static_cast<size_t>(grid.Rows()),
                           1) {
    free_.MinCrossings = 2;
    free_.FromFirstEntry = true;
    fill_.MinCrossings = 1;
}

size_t IndexedSearch::SlotId(Direction direction, int32_t length, int32_t line,
                             int32_t start) const {
    const auto lines = static_cast<size_t>(slots_.Lines(direction));
    const auto along = static_cast<size_t>(slots_.LineLength(direction));
    return ((static_cast<size_t>(direction) * (WordIndex::MaxLength + 1) +
             static_cast<size_t>(length)) *
                lines +
            static_cast<size_t>(line)) *
               along +
           static_cast<size_t>(start);
}

int32_t IndexedSearch::FirstFit(Direction direction, int32_t length, int32_t line, int32_t start,
                                int32_t from, int32_t last) {
    int32_t& bound = bound_[SlotId(direction, length, line, start)];
    const int32_t begin = std::max(from, bound);
    if (begin > last) {
        return None;
    }
    const int32_t first =
        words_.FirstMatch(slots_.PatternAt(direction, line, start, length), begin, last);
    if (from <= bound) {
        // Nothing fitted before the bound, so this is the first fit from entry 1 on.
        bound = first == None ? last + 1 : first;
    }
    return first;
}

std::optional<IndexedSearch::Trial> IndexedSearch::NextInChain(int32_t from, Direction direction,
                                                               const Placement& anchor) {
    const int32_t last = run_.Words.ShortWordStart() - 1;
    const int32_t columns = slots_.Columns();
    const int32_t rows = slots_.Rows();
    Candidate best;
    int32_t bestLength = 0;
    for (const auto& [firstOfLength, length] : LengthsByFirstEntry(from, last, direction)) {
        if (firstOfLength > best.Entry) {
            break;
        }
        const StartWindow window = InsideGrid(ChainWindow(anchor, length, direction, columns, rows),
                                              length, direction, columns, rows);
        if (window.IsEmpty()) {
            continue;
        }
        const bool across = direction == Direction::Across;
        const int32_t firstLine = across ? window.RowFrom : window.ColumnFrom;
        const int32_t lastLine = across ? window.RowTo : window.ColumnTo;
        const Bits starts = across ? Range(window.ColumnFrom, window.ColumnTo)
                                   : Range(window.RowFrom, window.RowTo);
        for (int32_t line = firstLine; line <= lastLine; ++line) {
            for (Bits open = slots_.Open(direction, line, length, 1) & starts; open != 0;
                 open &= open - 1) {
                const int32_t start = LowestBit(open);
                const int32_t entry =
                    FirstFit(direction, length, line, start, from, std::min(last, best.Entry));
                const Candidate candidate{entry, across ? line : start, across ? start : line};
                if (entry != None && candidate.Before(best)) {
                    best = candidate;
                    bestLength = length;
                }
            }
        }
    }
    const int32_t uncovered =
        FirstUncovered(from, std::min(last, best.Entry == None ? None : best.Entry - 1), direction);
    if (uncovered != None) {
        return Trial{uncovered, std::nullopt, true};
    }
    if (best.Entry == None) {
        return std::nullopt;
    }
    return Trial{best.Entry, Placement{best.Entry, best.Column, best.Row, bestLength, direction},
                 false};
}

std::optional<IndexedSearch::Trial> IndexedSearch::NextOnWholeGrid(int32_t from, int32_t last,
                                                                   Direction direction,
                                                                   int32_t minCrossings) {
    Queues& queues = minCrossings >= 2 ? free_ : fill_;
    Prepare(queues, from, last);
    const Direction other = Other(direction);
    std::optional<Trial> best;
    auto limit = [&] { return best ? best->Entry - 1 : last; };
    for (const auto& [first, length] : LengthsByFirstEntry(from, last, direction)) {
        if (first > limit()) {
            break;
        }
        if (Fits(length, other)) {
            // Tried here first, then in the other direction: the earliest entry
            // that fits somewhere, here when it fits both.
            const Candidate here = QueueFirst(queues, direction, length, from, limit());
            const int32_t otherLimit = here.Entry == None ? limit() : here.Entry - 1;
            const Candidate there = QueueFirst(queues, other, length, from, otherLimit);
            const bool inOther = there.Entry != None && there.Entry < here.Entry;
            const Candidate& found = inOther ? there : here;
            if (found.Entry != None) {
                best = Trial{found.Entry,
                             Placement{found.Entry, found.Column, found.Row, length,
                                       inOther ? other : direction},
                             false};
            }
        } else {
            // Fits only this direction: its first available word is placed, or it
            // fails and turns the direction.
            const Candidate here = QueueFirst(queues, direction, length, from, first);
            best = Trial{first, std::nullopt, false};
            if (here.Entry == first) {
                best->Placed = Placement{first, here.Column, here.Row, length, direction};
            }
        }
    }
    const int32_t uncovered = FirstUncovered(from, limit(), direction);
    if (uncovered != None) {
        return Trial{uncovered, std::nullopt, true};
    }
    return best;
}

IndexedSearch::Candidate IndexedSearch::QueueFirst(Queues& queues, Direction direction,
                                                   int32_t length, int32_t from, int32_t limit) {
    SlotQueue& queue = queues.Of(direction, length);
    const bool across = direction == Direction::Across;
    const int32_t base = queues.FromFirstEntry ? 1 : queues.Base;
    Candidate best;
    // Slots whose first fit lies before `from`: entries the sweep went past
    // without placing them, because the user refused them. They are judged from
    // `from` on and put back as they were.
    std::vector<SlotQueue::Item> passed;
    while (!queue.Empty()) {
        const SlotQueue::Item top = queue.Top();
        if (top.Bound > limit) {
            break;
        }
        const int32_t line = across ? top.Row : top.Column;
        const int32_t start = across ? top.Column : top.Row;
        if ((slots_.Open(direction, line, length, queues.MinCrossings) >> start & 1) == 0) {
            queue.Pop(); // closed for good
            continue;
        }
        // The whole way to the last entry: the bound is then exact, and the slot
        // comes up again only when it is due or has changed.
        const int32_t first =
            FirstFit(direction, length, line, start, std::max(top.Bound, base), queues.Last);
        if (first == None) {
            queue.Pop(); // nothing up to the last entry will ever fit it
            continue;
        }
        if (first != top.Bound) {
            queue.RaiseTop(first);
            continue;
        }
        if (first >= from) {
            best = Candidate{first, top.Row, top.Column};
            break;
        }
        passed.push_back(top);
        queue.Pop();
    }
    for (const SlotQueue::Item& item : passed) {
        const int32_t line = across ? item.Row : item.Column;
        const int32_t start = across ? item.Column : item.Row;
        const int32_t first =
            FirstFit(direction, length, line, start, from, std::min(limit, best.Entry));
        const Candidate candidate{first, item.Row, item.Column};
        if (first != None && candidate.Before(best)) {
            best = candidate;
        }
        queue.Push(item);
    }
    return best;
}

void IndexedSearch::Prepare(Queues& queues, int32_t from, int32_t last) {
    const bool sweepWentBack = !queues.FromFirstEntry && from < queues.Base;
    if (!queues.Active || queues.Last != last || sweepWentBack) {
        for (SlotQueue& queue : queues.ByLength) {
            queue.Clear();
        }
        queues.Active = true;
        queues.Last = last;
        for (const Direction direction : {Direction::Across, Direction::Down}) {
            for (int32_t line = 0; line < slots_.Lines(direction); ++line) {
                for (int32_t length = 1; length <= WordIndex::MaxLength; ++length) {
                    for (Bits open = slots_.Open(direction, line, length, queues.MinCrossings);
                         open != 0; open &= open - 1) {
                        PushSlot(queues, direction, line, length, LowestBit(open));
                    }
                }
            }
        }
    }
    queues.Base = from;
}

void IndexedSearch::PushSlot(Queues& queues, Direction direction, int32_t line, int32_t length,
                             int32_t start) {
    const bool across = direction == Direction::Across;
    queues.Of(direction, length)
        .Push({bound_[SlotId(direction, length, line, start)], across ? line : start,
               across ? start : line});
}

IndexedSearch::LengthOrder IndexedSearch::LengthsByFirstEntry(int32_t from, int32_t last,
                                                              Direction direction) {
    LengthOrder order;
    for (int32_t length = 1; length <= WordIndex::MaxLength && Fits(length, direction); ++length) {
        const int32_t first = words_.FirstOfLength(length, from, last);
        if (first != None) {
            order.push_back({first, length});
        }
    }
    std::sort(order.begin(), order.end());
    return order;
}

int32_t IndexedSearch::FirstUncovered(int32_t from, int32_t last, Direction direction) const {
    const std::span<const int32_t> uncovered = index_.Uncovered();
    for (auto it = std::lower_bound(uncovered.begin(), uncovered.end(), from);
         it != uncovered.end() && *it <= last; ++it) {
        if (run_.Available.at(static_cast<size_t>(*it)) == 1 &&
            Fits(index_.LengthOf(*it), direction)) {
            return *it;
        }
    }
    return None;
}

void IndexedSearch::Placed(const Placement& placed) {
    for (const OpenSlots::Opened& opened : slots_.Update(grid_, placed)) {
        Queues& queues = opened.MinCrossings >= 2 ? free_ : fill_;
        if (!queues.Active) {
            continue;
        }
        for (Bits starts = opened.Starts; starts != 0; starts &= starts - 1) {
            PushSlot(queues, opened.Dir, opened.Line, opened.Length, LowestBit(starts));
        }
    }
}
