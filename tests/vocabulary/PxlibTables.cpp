#include "tests/vocabulary/PxlibTables.h"

extern "C" {
#include <paradox.h>
}

#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace PxlibTables {

namespace {

void Quiet(pxdoc_t*, int, const char*, void*) {}

pxdoc_t* NewDoc() {
    pxdoc_t* doc = PX_new();
    if (doc == nullptr) {
        throw std::runtime_error("PX_new failed");
    }
    doc->errorhandler = Quiet;
    return doc;
}

int FieldSize(const Field& f) {
    return f.Size;
}

} // namespace

std::vector<Field> VocabularyFields() {
    return {{"Nr", pxfAutoInc, 4},
            {"Begriff", pxfAlpha, 15},
            {"L\xe4nge", pxfShort, 2},
            {"Umschreibung", pxfAlpha, 50}};
}

void Write(const std::filesystem::path& file, const Table& table, int codePage, int blockSizeKb) {
    pxdoc_t* doc = NewDoc();
    // pxlib takes ownership of the field array and its names.
    auto* fields = static_cast<pxfield_t*>(std::calloc(table.Fields.size(), sizeof(pxfield_t)));
    int recordSize = 0;
    for (size_t i = 0; i < table.Fields.size(); ++i) {
        fields[i].px_fname = strdup(table.Fields[i].Name.c_str());
        fields[i].px_ftype = static_cast<char>(table.Fields[i].Type);
        fields[i].px_flen = table.Fields[i].Size;
        recordSize += FieldSize(table.Fields[i]);
    }
    if (PX_create_file(doc, fields, static_cast<int>(table.Fields.size()), file.c_str(),
                       pxfFileTypNonIndexDB) < 0) {
        PX_delete(doc);
        throw std::runtime_error("PX_create_file failed");
    }
    PX_set_value(doc, "codepage", static_cast<float>(codePage));
    PX_set_value(doc, "maxtablesize", static_cast<float>(blockSizeKb));
    std::vector<char> record(static_cast<size_t>(recordSize));
    for (const Row& row : table.Rows) {
        std::fill(record.begin(), record.end(), 0);
        int offset = 0;
        for (size_t i = 0; i < table.Fields.size(); ++i) {
            const Field& f = table.Fields[i];
            char* at = record.data() + offset;
            offset += f.Size;
            if (i >= row.size() || !row[i]) {
                continue; // NULL: all bytes zero
            }
            const std::string& v = *row[i];
            if (f.Type == pxfAlpha) {
                PX_put_data_alpha(doc, at, f.Size, const_cast<char*>(v.c_str()));
            } else if (f.Type == pxfShort) {
                PX_put_data_short(doc, at, 2, static_cast<short>(std::stoi(v)));
            } else {
                PX_put_data_long(doc, at, 4, std::stoi(v));
            }
        }
        if (PX_put_record(doc, record.data()) < 0) {
            PX_delete(doc);
            throw std::runtime_error("PX_put_record failed");
        }
    }
    PX_close(doc);
    PX_delete(doc);
}

Table Read(const std::filesystem::path& file) {
    pxdoc_t* doc = NewDoc();
    if (PX_open_file(doc, file.c_str()) < 0) {
        PX_delete(doc);
        throw std::runtime_error("PX_open_file failed");
    }
    Table table;
    const int numFields = PX_get_num_fields(doc);
    pxfield_t* fields = PX_get_fields(doc);
    for (int i = 0; i < numFields; ++i) {
        table.Fields.push_back({fields[i].px_fname, fields[i].px_ftype, fields[i].px_flen});
    }
    std::vector<char> record(static_cast<size_t>(PX_get_recordsize(doc)));
    for (int r = 0; r < PX_get_num_records(doc); ++r) {
        if (PX_get_record(doc, r, record.data()) == nullptr) {
            PX_close(doc);
            PX_delete(doc);
            throw std::runtime_error("PX_get_record failed");
        }
        Row row;
        int offset = 0;
        for (const Field& f : table.Fields) {
            char* at = record.data() + offset;
            offset += f.Size;
            std::optional<std::string> value;
            if (f.Type == pxfAlpha) {
                char* text = nullptr;
                if (PX_get_data_alpha(doc, at, f.Size, &text) > 0 && text != nullptr) {
                    value = text;
                }
                if (text != nullptr) {
                    doc->free(doc, text);
                }
            } else if (f.Type == pxfShort) {
                short s = 0;
                if (PX_get_data_short(doc, at, 2, &s) > 0) {
                    value = std::to_string(s);
                }
            } else if (f.Type == pxfLong || f.Type == pxfAutoInc) {
                long l = 0;
                if (PX_get_data_long(doc, at, 4, &l) > 0) {
                    value = std::to_string(static_cast<int32_t>(l));
                }
            }
            row.push_back(value);
        }
        table.Rows.push_back(row);
    }
    PX_close(doc);
    PX_delete(doc);
    return table;
}

} // namespace PxlibTables
