#include "tests/postgres/cli_run.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace mapsheet::postgres_test {

namespace {

std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

}  // namespace

CliRun runCli(const std::vector<std::string>& arguments, const std::string& input) {
    char inputPath[] = "/tmp/mapsheet-cli-input.XXXXXX";
    const int descriptor = mkstemp(inputPath);
    if (descriptor < 0) {
        throw std::runtime_error("cannot create a temporary file");
    }
    close(descriptor);
    std::ofstream(inputPath, std::ios::binary) << input;

    std::string command = shellQuoted(MAPSHEET_CLI_PATH);
    for (const std::string& argument : arguments) {
        command += ' ' + shellQuoted(argument);
    }
    command += " < " + shellQuoted(inputPath) + " 2>/dev/null";
    CliRun run;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[1 << 16];
        std::size_t read;
        while ((read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            run.output.append(buffer, read);
        }
        const int status = pclose(pipe);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::remove(inputPath);
    return run;
}

std::vector<std::vector<std::string>> commaFields(std::string_view text) {
    std::vector<std::vector<std::string>> lines;
    while (!text.empty()) {
        std::string_view line = text.substr(0, text.find('\n'));
        text.remove_prefix(std::min(text.size(), line.size() + 1));
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        std::vector<std::string>& fields = lines.emplace_back();
        for (std::size_t start = 0;;) {
            const std::size_t comma = line.find(',', start);
            fields.emplace_back(line.substr(start, comma - start));
            if (comma == std::string_view::npos) {
                break;
            }
            start = comma + 1;
        }
    }
    return lines;
}

std::string trailingField(const std::vector<std::string>& fields, std::size_t first) {
    std::string field;
    for (std::size_t i = first; i < fields.size(); ++i) {
        field += (i > first ? "," : "") + fields[i];
    }
    if (field.size() < 2 || field.front() != '"') {
        return field;
    }
    std::string unquoted;
    for (std::size_t i = 1; i + 1 < field.size(); ++i) {
        unquoted += field[i];
        if (field[i] == '"') {
            ++i;  // a doubled quote
        }
    }
    return unquoted;
}

}  // namespace mapsheet::postgres_test
