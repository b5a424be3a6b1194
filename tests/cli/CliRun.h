#pragma once

// Runs the built wabolex-cli as a user would, in a folder of its own.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace CliRun {

struct Result {
    int Status = -1;
    std::string Out; // UTF-8
    std::string Err; // UTF-8
};

inline std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

inline std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary);
    out << bytes;
}

// wabolex-cli with these arguments, started in folder.
inline Result Run(const std::filesystem::path& folder, const std::vector<std::string>& args) {
    std::string command = "cd " + Quote(folder.string()) + " && " + Quote(WABOLEX_CLI);
    for (const std::string& arg : args) {
        command += ' ';
        command += Quote(arg);
    }
    const auto out = folder / ".cli-out";
    const auto err = folder / ".cli-err";
    command += " >";
    command += Quote(out.string());
    command += " 2>";
    command += Quote(err.string());
    const int raw = std::system(command.c_str());
    Result result;
    result.Status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.Out = ReadBytes(out);
    result.Err = ReadBytes(err);
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return result;
}

inline std::filesystem::path MakeTempFolder(const char* name) {
    std::string pattern = (std::filesystem::temp_directory_path() / name).string() + "-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        return {};
    }
    return pattern;
}

} // namespace CliRun
