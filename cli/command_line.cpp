// CLI11 reads the words; the messages are the commands' own.

#include "cli/command_line.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>
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

namespace {

// CLI11 takes "-x" or "-.5" for short options, but the only short option of every command is
// -h: any other argument that starts with one "-" is an operand or a value ("-.5", a southern
// latitude). Such an argument goes to CLI11 as a stand-in that starts with "-0", which it reads
// as a negative number, an operand, and comes back as it was.
class StandIns {
  public:
    explicit StandIns(const Arguments& arguments) {
        for (const std::string& argument : arguments) {
            const bool readAsShortOption = argument.size() > 1 && argument[0] == '-' &&
                                           argument[1] != '-' && argument != "-h" &&
                                           !std::isdigit(static_cast<unsigned char>(argument[1]));
            if (!readAsShortOption) {
                words_.push_back(argument);
                continue;
            }
            words_.push_back("-0\x1f" + std::to_string(originals_.size()) + "\x1f");
            originals_.emplace(words_.back(), argument);
        }
    }
    // The words in the reverse order CLI11 takes them in.
    std::vector<std::string> reversedWords() const { return {words_.rbegin(), words_.rend()}; }
    std::string original(const std::string& word) const {
        const auto found = originals_.find(word);
        return found == originals_.end() ? word : found->second;
    }

  private:
    std::vector<std::string> words_;
    std::map<std::string, std::string> originals_;
};

}  // namespace

std::optional<CommandLine> readCommandLine(const Arguments& arguments,
                                           const std::vector<Option>& accepted,
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
    std::vector<std::string> operands;
    app.add_option("operands", operands);

    const StandIns standIns(arguments);
    std::vector<std::string> words = standIns.reversedWords();
    try {
        app.parse(words);
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
    CommandLine line;
    line.help_ = help->count() > 0;
    for (const std::string& operand : operands) {
        line.operands_.push_back(standIns.original(operand));
    }
    for (const auto& [option, read] : declared) {
        if (read->count() == 0) {
            continue;
        }
        if (option->takesValue) {
            line.values_[std::string(option->name)] = standIns.original(read->results().back());
        } else {
            line.switches_.emplace(option->name);
        }
    }
    return line;
}

}  // namespace mapsheet::cli
