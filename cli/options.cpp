#include "cli/options.h"

#include <algorithm>

namespace cli {

namespace {

constexpr std::size_t HelpColumn = 22;

const Option* Find(const Table& table, const std::string& name) {
    for (const Option& option : table) {
        if (option.Matches ? option.Matches(name)
                           : ("|" + std::string(option.Name) + "|").find("|" + name + "|") != std::string::npos) {
            return &option;
        }
    }
    return nullptr;
}

// "--decimal SEP": the option's first name and its value.
std::string Shown(const Option& option) {
    const std::string name = option.Name;
    return name.substr(0, name.find('|')) + (option.Value ? std::string(" ") + option.Value : "");
}

}  // namespace

std::vector<std::string> Parse(const std::vector<std::string>& args, const Table& table,
                               const std::function<std::string(const std::string& option)>& unknown) {
    std::vector<std::string> operands;
    std::vector<std::string> given;  // the options met so far: their table names, or a family member's name
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        if (name == "--") {
            operands.insert(operands.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
            break;
        }
        if (name.size() < 2 || name[0] != '-') {
            operands.push_back(name);
            continue;
        }
        std::string value;
        const std::size_t equals = name.find('=');
        bool joined = name.compare(0, 2, "--") == 0 && equals != std::string::npos;
        if (joined) {
            value = name.substr(equals + 1);
            name.erase(equals);
        }
        const Option* option = Find(table, name);
        if (!option && name[1] != '-' && (option = Find(table, name.substr(0, 2))) != nullptr) {
            if (!option->Value || option->Value[0] == '[') throw Error{unknown(name)};
            value = name.substr(2);
            name.erase(2);
            joined = true;
        }
        if (!option) throw Error{unknown(name)};
        const std::string key = option->Matches ? name : option->Name;
        if (!option->Repeatable && std::find(given.begin(), given.end(), key) != given.end()) {
            throw Error{name + " is given twice; give it once"};
        }
        given.push_back(key);
        if (!option->Value) {
            if (joined) throw Error{name + " takes no value"};
        } else if (option->Value[0] == '[') {
            if (joined && value.empty()) throw Error{name + "= needs " + option->Needs};
        } else if (!joined) {
            if (i + 1 >= args.size()) throw Error{name + " needs " + option->Needs};
            value = args[++i];
        }
        option->Set(name, value);
    }
    return operands;
}

std::string Synopsis(const Table& table) {
    std::string text;
    for (const Option& option : table) {
        text += (text.empty() ? "[" : " [") + Shown(option) + (option.Matches ? " ...]" : "]");
    }
    return text;
}

std::string Usage(const Table& table, std::size_t indent) {
    std::string text;
    for (const Option& option : table) {
        std::string line = std::string(indent, ' ') + Shown(option);
        line.append(line.size() + 2 <= HelpColumn ? HelpColumn - line.size() : 2, ' ');
        for (const char* help = option.Help; *help; ++help) {
            line += *help;
            if (*help == '\n') line.append(HelpColumn, ' ');
        }
        text += line + "\n";
    }
    return text;
}

}  // namespace cli
