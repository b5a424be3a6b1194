#include "app/cli/CommandLine.h"

#include "app/cli/CliNumbers.h"

#include <iostream>
#include <utility>

namespace Cli {

namespace {

// Every line of a text, indented.
std::string Indented(std::string_view text, std::string_view indent) {
    std::string out;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        out.append(indent).append(line).append("\n");
        if (end == std::string_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
    return out;
}

bool IsHelp(const std::string& arg) {
    return arg == "--help" || arg == "-h";
}

} // namespace

CommandLine& CommandLine::Add(std::string name, Kind kind, Take take) {
    options_.push_back(Option{std::move(name), kind, false, std::move(take)});
    return *this;
}

CommandLine& CommandLine::Value(std::string name, Take take) {
    return Add(std::move(name), Kind::Single, std::move(take));
}

CommandLine& CommandLine::Values(std::string name, Take take) {
    return Add(std::move(name), Kind::Repeated, std::move(take));
}

CommandLine& CommandLine::Flag(std::string name, Take take) {
    return Add(std::move(name), Kind::Flag, std::move(take));
}

CommandLine& CommandLine::EmptyAllowed() {
    options_.back().EmptyAllowed = true;
    return *this;
}

CommandLine& CommandLine::Operand(std::string& target, std::string missing, std::string extra) {
    operand_ = &target;
    missingOperand_ = std::move(missing);
    extraOperand_ = std::move(extra);
    return *this;
}

CommandLine::Option* CommandLine::Find(const std::string& name) {
    for (Option& option : options_) {
        if (option.Name == name) {
            return &option;
        }
    }
    return nullptr;
}

std::optional<int> CommandLine::Parse(const Args& args) {
    // Help wins over every other word: whoever asks for it wants to read it.
    for (const std::string& arg : args) {
        if (arg == "--") {
            break;
        }
        if (IsHelp(arg)) {
            std::cout << HelpOf(command_) << ExitStatusHelp;
            return Ok;
        }
    }
    bool operandsOnly = false;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string reason;
        if (operandsOnly) {
            reason = ReadOperand(args[i]);
        } else if (args[i] == "--") {
            operandsOnly = true;
        } else {
            reason = Read(args, i);
        }
        if (!reason.empty()) {
            return Refuse(reason);
        }
    }
    if (operand_ && operand_->empty()) {
        return Refuse(missingOperand_);
    }
    return std::nullopt;
}

std::string CommandLine::Read(const Args& args, size_t& i) {
    const std::string& arg = args[i];
    // A lone "-" names standard input or output, as usual.
    if (arg.size() < 2 || arg[0] != '-') {
        return ReadOperand(arg);
    }
    std::string name = arg;
    std::optional<std::string> value;
    if (const size_t equals = arg.find('='); arg.starts_with("--") && equals != std::string::npos) {
        name = arg.substr(0, equals);
        value = arg.substr(equals + 1);
    }
    Option* option = Find(name);
    if (!option) {
        return "Unbekannte Angabe: " + name;
    }
    if (option->Takes == Kind::Flag) {
        if (value) {
            return "Die Angabe " + name + " nimmt keinen Wert: " + arg;
        }
        option->Given = true;
        return option->Store(std::string());
    }
    if (!value && i + 1 < args.size()) {
        value = args[++i];
    }
    if (!value || (value->empty() && !option->EmptyAllowed)) {
        return "Zur Angabe " + name + " fehlt der Wert.";
    }
    if (option->Given && option->Takes == Kind::Single) {
        return "Die Angabe " + name + " darf nur einmal vorkommen.";
    }
    option->Given = true;
    return option->Store(*value);
}

std::string CommandLine::ReadOperand(const std::string& arg) {
    if (!operand_) {
        return "Unbekannte Angabe: " + arg;
    }
    if (!operand_->empty()) {
        return extraOperand_ + arg;
    }
    if (arg.empty()) {
        return missingOperand_;
    }
    *operand_ = arg;
    return {};
}

int CommandLine::Refuse(const std::string& reason) const {
    std::string synopses;
    for (const Form& form : command_.Forms) {
        synopses += Indented(form.Call, "        ");
    }
    std::cerr << reason << "\nAufruf: " << synopses.substr(8) << "Hilfe: wabolex-cli "
              << command_.Name << " --help\n";
    return Usage;
}

std::string CommandLine::HelpOf(const Command& command) {
    std::string help;
    for (const Form& form : command.Forms) {
        help += Indented(form.Call, "  ") + Indented(form.Description, "      ");
    }
    return help;
}

// --- Stores -----------------------------------------------------------------------

CommandLine::Take Store(std::string& target) {
    return [&target](const std::string& value) {
        target = value;
        return std::string();
    };
}

CommandLine::Take Store(std::filesystem::path& target) {
    return [&target](const std::string& value) {
        target = value;
        return std::string();
    };
}

CommandLine::Take Set(bool& target) {
    return [&target](const std::string&) {
        target = true;
        return std::string();
    };
}

CommandLine::Take NumberIn(uint64_t lowest, uint64_t highest, std::string reason,
                           std::optional<uint64_t>& target) {
    return [=, &target](const std::string& value) {
        uint64_t number = 0;
        if (!ParseNumber(value, number) || number < lowest || number > highest) {
            return reason;
        }
        target = number;
        return std::string();
    };
}

} // namespace Cli
