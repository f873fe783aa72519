#pragma once

// Reading the arguments of one mapsheet-cli command against the options it takes.
//
// An option is "--name VALUE" or "--name=VALUE" (the next argument is the value whatever it
// starts with), a switch is "--name"; "-h" and "--help" ask for the command's help; "--" ends
// the options. Every other argument is an operand, kept in order: also one that starts with a
// single "-" (a southern latitude or a western longitude, "-39°58′45″", "-.5", and "-" itself). An
// option given twice takes its last value. An option the command does not take, and an option
// without its value, are usage errors, written as "mapsheet-cli COMMAND: ..." with the piece quoted
// by the one quote rule of library/quoted_excerpt.h. The help text is the command's own; nothing
// here formats help.

#include <iosfwd>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"

namespace mapsheet::cli {

// One option: its name with the leading "--", and whether it takes a value (else a switch).
struct Option {
    std::string_view name;
    bool takesValue;
};

// How one command writes its usage errors.
struct CommandUsage {
    std::string_view command;  // "number"
    // The quote around a bad piece: the relation commands quote in '"' throughout, as their row
    // errors do; the others in '\''.
    char quote = '\'';

    // At most 40 characters of the value, then "…", never a cut character, in the quote.
    std::string quoted(std::string_view value) const;
    // Writes "mapsheet-cli COMMAND: message\n"; returns false, for `return usage.error(...)`.
    bool error(std::ostream& err, std::string_view message) const;
    // "; run 'mapsheet-cli COMMAND --help'", the hint after a message about the arguments.
    std::string helpHint() const;
};

// What the arguments say.
class CommandLine {
  public:
    bool help() const { return help_; }
    bool has(const Option& option) const;
    // The last value of an option that takes one, nullopt when it was not given.
    std::optional<std::string> value(const Option& option) const;
    const std::vector<std::string>& operands() const { return operands_; }

  private:
    friend std::optional<CommandLine> readCommandLine(const Arguments&, const std::vector<Option>&,
                                                      const CommandUsage&, std::ostream&);
    bool help_ = false;
    std::map<std::string, std::string, std::less<>> values_;
    std::set<std::string, std::less<>> switches_;
    std::vector<std::string> operands_;
};

// The command line, or nullopt after writing the usage error to err.
std::optional<CommandLine> readCommandLine(const Arguments& arguments,
                                           const std::vector<Option>& accepted,
                                           const CommandUsage& usage, std::ostream& err);

}  // namespace mapsheet::cli
