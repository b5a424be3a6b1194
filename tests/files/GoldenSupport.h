#pragma once

// What the golden tests share: the animal table they generate from, a quiet
// generation and stable hashes of pictures. The recorded results live in the
// folder golden/ beside this file; WABOLEX_UPDATE_GOLDEN=1 records them anew.

#include "vocabulary/ParadoxWriter.h"
#include "vocabulary/TextImport.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QImage>
#include <QtGlobal>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace golden {

// One seeded puzzle the golden tests record: a name for its files, the seed
// and the grid's size.
struct Case {
    const char* Name;
    uint64_t Seed;
    int32_t Columns;
    int32_t Rows;
};

inline void PrintTo(const Case& golden, std::ostream* out) {
    *out << golden.Name;
}

// The same two puzzles for every output: a square grid and a wide one.
inline const Case Cases[] = {{"Tiere-15x15-seed7", 7, 15, 15}, {"Tiere-21x13-seed11", 11, 21, 13}};

inline const std::filesystem::path Folder = std::filesystem::path(WABOLEX_GOLDEN_DIR);

inline std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteFile(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

inline bool Updating() {
    return qEnvironmentVariableIntValue("WABOLEX_UPDATE_GOLDEN") == 1;
}

// The recorded text of a golden file, written anew first when updating.
inline std::string Recorded(const std::string& fileName, const std::string& now) {
    const std::filesystem::path file = Folder / fileName;
    if (Updating()) {
        WriteFile(file, now);
    }
    return ReadFile(file);
}

// The animal table as the program's main table in folder, its words of two to
// four letters as the short-word table beside it. Returns the main table.
inline std::filesystem::path WriteAnimalTables(const std::filesystem::path& folder) {
    const std::vector<VocabularyRecord> all =
        TextImport::Parse(ReadFile(Folder / "Tiere.txt")).Records;
    std::vector<VocabularyRecord> shortWords;
    for (const VocabularyRecord& record : all) {
        if (record.Word.size() >= 2 && record.Word.size() <= 4) {
            shortWords.push_back(record);
        }
    }
    ParadoxWriter::WriteVocabulary(folder / "Tiere.db", all);
    ParadoxWriter::WriteVocabulary(folder / u8"Kurzwörter2004.DB", shortWords);
    return folder / "Tiere.db";
}

inline std::string Sha256(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().toStdString();
}

// The pixels alone, whatever format the image is held in.
inline std::string ImageHash(const QImage& image) {
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
    QByteArray bytes =
        QByteArray::number(pixels.width()) + "x" + QByteArray::number(pixels.height()) + ":";
    for (int y = 0; y < pixels.height(); ++y) {
        bytes.append(reinterpret_cast<const char*>(pixels.constScanLine(y)), pixels.width() * 4);
    }
    return Sha256(bytes);
}

} // namespace golden
