#pragma once

#include <string>
#include <vector>

// One function per sub-command of wabolex-cli. Each gets the arguments after
// the command's name and returns the exit status: 0 success, 1 failure (the
// German message already written to stderr), 2 wrong usage.
namespace Cli {

constexpr int Ok = 0;
constexpr int Failure = 1;
constexpr int Usage = 2;

using Args = std::vector<std::string>;

int Import(const Args& args);
int Generate(const Args& args);
int Stats(const Args& args);
int Export(const Args& args);
int Print(const Args& args);
int CheckTable(const Args& args);

// Writes a Windows-1252 message as UTF-8 to stderr, with a newline.
void Error(const std::string& cp1252Message);
// Writes a Windows-1252 line as UTF-8 to stdout.
void Out(const std::string& cp1252Line);
// Flushes stdout; when that fails, says so on stderr and turns success into
// Failure. Returns the status to exit with.
int FinishOutput(int status);
// Reports wrong usage of a command on stderr and returns Usage.
int UsageError(const std::string& utf8Message);

} // namespace Cli
