#pragma once

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <string_view>

// File names on the command line, taken as the bytes the user gave.
namespace Cli {

// A name that is only an extension (".png", ".wbx"): the system sees a hidden
// file without extension, the user meant a name before it.
inline bool IsOnlyExtension(const std::filesystem::path& file) {
    const std::string name = file.filename().string();
    return name.size() > 1 && name[0] == '.' && name.find('.', 1) == std::string::npos;
}

// Does the file name have a name and this extension (".pdf"), in any case?
inline bool HasExtension(const std::filesystem::path& file, std::string_view extension) {
    std::string own = file.extension().string();
    std::transform(own.begin(), own.end(), own.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return own == extension && !IsOnlyExtension(file);
}

// "Der Name „.png“ ist nur eine Endung; ..." for a refusal (UTF-8).
inline std::string OnlyExtensionReason(const std::filesystem::path& file) {
    return "Der Name „" + file.filename().string() +
           "“ ist nur eine Endung; die Datei braucht einen Namen davor.";
}

} // namespace Cli
