#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

// A flat image of plain arrays and numbers, so that a built vocabulary can be
// kept in a file and used from a read-only mapping without a copy: every item
// starts at a multiple of 8 bytes, numbers take 8 bytes, an array is its count
// followed by its items. Written and read in the machine's own byte order.
namespace FlatImage {

// Thrown by Reader for an image that does not hold what is asked for.
struct Invalid {};

class Writer {
public:
    void Number(int64_t value) { Append(&value, sizeof value); }

    template <class T> void Array(std::span<const T> items) {
        static_assert(std::is_trivially_copyable_v<T> && alignof(T) <= 8);
        Number(static_cast<int64_t>(items.size()));
        Append(items.data(), items.size_bytes());
    }

    std::string Take() { return std::move(bytes_); }

private:
    void Append(const void* data, size_t size) {
        bytes_.append(static_cast<const char*>(data), size);
        bytes_.append((8 - size % 8) % 8, '\0');
    }
    std::string bytes_;
};

// Reads what a Writer wrote, checking every count against the bytes left; the
// arrays it gives point into the image.
class Reader {
public:
    // The image must start at a multiple of 8 bytes (a mapping does).
    explicit Reader(std::string_view bytes) : bytes_(bytes) {
        if (reinterpret_cast<uintptr_t>(bytes.data()) % 8 != 0) {
            throw Invalid{};
        }
    }

    // A number in lowest .. highest.
    int64_t Number(int64_t lowest, int64_t highest) {
        int64_t value = 0;
        std::memcpy(&value, Take(sizeof value), sizeof value);
        if (value < lowest || value > highest) {
            throw Invalid{};
        }
        return value;
    }

    // An array of exactly `count` items (-1: of any count).
    template <class T> std::span<const T> Array(int64_t count = -1) {
        static_assert(std::is_trivially_copyable_v<T> && alignof(T) <= 8);
        const auto size = static_cast<uint64_t>(Number(0, INT64_MAX));
        if ((count >= 0 && size != static_cast<uint64_t>(count)) ||
            size > (bytes_.size() - at_) / sizeof(T)) {
            throw Invalid{};
        }
        const char* data = Take(static_cast<size_t>(size) * sizeof(T));
        return {reinterpret_cast<const T*>(data), static_cast<size_t>(size)};
    }

    bool AtEnd() const { return at_ == bytes_.size(); }

private:
    const char* Take(size_t size) {
        const size_t padded = size + (8 - size % 8) % 8;
        if (padded < size || padded > bytes_.size() - at_) {
            throw Invalid{};
        }
        const char* data = bytes_.data() + at_;
        at_ += padded;
        return data;
    }
    std::string_view bytes_;
    size_t at_ = 0;
};

} // namespace FlatImage
