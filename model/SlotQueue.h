#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

// Slots of one direction and length, ordered by a lower bound of the first entry
// that fits them, then by their start in scan order (row, then column). The
// owner raises a slot's bound when it rechecks it at the top, so the top whose
// bound is exact is the slot the scan would fill first.
class SlotQueue {
public:
    struct Item {
        int32_t Bound;
        int32_t Row;
        int32_t Column;
    };

    bool Empty() const { return heap_.empty(); }
    size_t Size() const { return heap_.size(); }
    void Clear() { heap_.clear(); }

    void Push(const Item& item) {
        heap_.push_back(Pack(item));
        std::push_heap(heap_.begin(), heap_.end(), std::greater<>());
    }
    Item Top() const { return Unpack(heap_.front()); }
    void Pop() {
        std::pop_heap(heap_.begin(), heap_.end(), std::greater<>());
        heap_.pop_back();
    }
    // The top slot with a new, larger bound: it sinks to its place.
    void RaiseTop(int32_t bound) {
        Item item = Top();
        item.Bound = bound;
        const uint64_t packed = Pack(item);
        const size_t size = heap_.size();
        size_t at = 0;
        for (;;) {
            size_t child = 2 * at + 1;
            if (child >= size) {
                break;
            }
            if (child + 1 < size && heap_[child + 1] < heap_[child]) {
                ++child;
            }
            if (heap_[child] >= packed) {
                break;
            }
            heap_[at] = heap_[child];
            at = child;
        }
        heap_[at] = packed;
    }

private:
    // Bound, row and column in one number that orders as the triple does.
    static uint64_t Pack(const Item& item) {
        return (static_cast<uint64_t>(static_cast<uint32_t>(item.Bound)) << 32) |
               (static_cast<uint64_t>(item.Row) << 16) | static_cast<uint64_t>(item.Column);
    }
    static Item Unpack(uint64_t packed) {
        return {static_cast<int32_t>(packed >> 32), static_cast<int32_t>((packed >> 16) & 0xFFFF),
                static_cast<int32_t>(packed & 0xFFFF)};
    }

    std::vector<uint64_t> heap_; // a min-heap
};
