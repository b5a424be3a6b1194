// Commands not built yet answer with a clear message. Each moves to its own
// source file when it is built.
#include "CliCommands.h"

namespace Cli {

namespace {
int NotYet(const char* name) {
    return UsageError(std::string("Der Befehl ") + name + " ist noch nicht eingebaut.");
}
} // namespace


} // namespace Cli
