#pragma once

#include <cstdlib>
#include <filesystem>

// The shipped general table the benchmarks read; WABOLEX_BENCH_TABLE names
// another table to measure with (its short-word table beside it).
inline std::filesystem::path GeneralTable() {
    if (const char* table = std::getenv("WABOLEX_BENCH_TABLE")) {
        return table;
    }
    return std::filesystem::path(WABOLEX_ROOT) / "WortDateien2007" / "Allgemein.db";
}
