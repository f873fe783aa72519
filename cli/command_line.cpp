// CLI11 reads the words; the messages are the commands' own.

#include "cli/command_line.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <ostream>

#include "library/quoted_excerpt.h"

namespace mapsheet::cli {

std::string CommandUsage::quoted(std::string_view value) const {
    return quote + text::excerpt(value) + quote;
}

bool CommandUsage::error(std::ostream& err, std::string_view message) const {
    err << "mapsheet-cli " << command << ": " << message << '\n';
    return false;
}

std::string CommandUsage::helpHint() const {
    return "; run 'mapsheet-cli " + std::string(command) + " --help'";
}

bool CommandLine::has(const Option& option) const {
    return option.takesValue ? values_.contains(option.name) : switches_.contains(option.name);
}

std::optional<std::string> CommandLine::value(const Option& option) const {
    const auto found = values_.find(option.name);
    return found == values_.end() ? std::nullopt : std::optional<std::string>(found->second);
}

std::optional<CommandLine> readCommandLine(const Arguments& arguments,
                                           std::initializer_list<Option> accepted,
                                           const CommandUsage& usage, std::ostream& err) {
    CLI::App app;
    app.set_help_flag();  // the commands write their own help
    app.allow_extras();   // an unknown option is reported below, in the command's words
    CLI::Option* help = app.add_flag("-h,--help");
    std::vector<std::pair<const Option*, CLI::Option*>> declared;
    for (const Option& option : accepted) {
        const std::string name(option.name);
        CLI::Option* read =
            option.takesValue ? app.add_option(name)->expected(1) : app.add_flag(name);
        read->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
        declared.emplace_back(&option, read);
    }
    CommandLine line;
    app.add_option("operands", line.operands_);

    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::ArgumentMismatch& mismatch) {
        // CLI11 names the option before the first ':'.
        const std::string_view what = mismatch.what();
        usage.error(err, std::string(what.substr(0, what.find(':'))) + " needs a value");
        return std::nullopt;
    } catch (const CLI::ParseError& fault) {
        usage.error(err, fault.what());
        return std::nullopt;
    }
    // CLI11 keeps a "--" among the arguments it did not take.
    std::vector<std::string> unknown = app.remaining();
    std::erase(unknown, "--");
    if (!unknown.empty()) {
        const std::string_view argument = unknown.front();
        usage.error(err, "unknown option " + usage.quoted(argument.substr(0, argument.find('='))) +
                             usage.helpHint());
        return std::nullopt;
    }
    line.help_ = help->count() > 0;
    for (const auto& [option, read] : declared) {
        if (read->count() == 0) {
            continue;
        }
        if (option->takesValue) {
            line.values_[std::string(option->name)] = read->results().back();
        } else {
            line.switches_.emplace(option->name);
        }
    }
    return line;
}

}  // namespace mapsheet::cli
