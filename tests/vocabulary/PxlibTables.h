#pragma once

// pxlib as an independent second implementation of the table format: it writes
// fixtures for our reader and reads back what our writer produced.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace PxlibTables {

struct Field {
    std::string Name; // bytes as stored (Windows-1252 or the table's code page)
    int Type;         // pxfAlpha, pxfShort, ...
    int Size;
};

// One value per field: text for Alpha, decimal for numbers; nullopt = NULL.
using Row = std::vector<std::optional<std::string>>;

struct Table {
    std::vector<Field> Fields;
    std::vector<Row> Rows;
};

// The vocabulary layout: "Nr", "Begriff", "Länge", "Umschreibung".
std::vector<Field> VocabularyFields();

void Write(const std::filesystem::path& file, const Table& table, int codePage = 1252,
           int blockSizeKb = 2);
Table Read(const std::filesystem::path& file);

} // namespace PxlibTables
