// mapsheet-cli number as a process: what reaches the user when writing or reading fails.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

struct ProcessRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string contents(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

class NumberProcess : public testing::Test {
  protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("mapsheet_number_" + std::to_string(getpid()) + "_" +
                   testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
        std::ofstream points(folder_ / "points.csv");
        for (int i = 0; i < 200000; ++i) {
            points << 18 + i % 35 << '.' << i % 1000 << ',' << 74 + i % 60 << ".5\n";
        }
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    // Runs the shell command with $CLI, $POINTS, $OUT and $ERR set; the status is the one the
    // command writes to $STATUS when it does, else the shell's.
    ProcessRun run(const std::string& command) {
        const std::string script = "CLI='" + std::string(MAPSHEET_CLI_PATH) + "'; POINTS='" +
                                   (folder_ / "points.csv").string() + "'; OUT='" +
                                   (folder_ / "out").string() + "'; ERR='" +
                                   (folder_ / "err").string() + "'; STATUS='" +
                                   (folder_ / "status").string() + "'; " + command;
        const std::string quoted = "bash -c '" + escaped(script) + "'";
        const int shell = std::system(quoted.c_str());
        ProcessRun result;
        const std::string written = contents(folder_ / "status");
        result.status =
            written.empty() ? (WIFEXITED(shell) ? WEXITSTATUS(shell) : -1) : std::stoi(written);
        result.out = contents(folder_ / "out");
        result.err = contents(folder_ / "err");
        return result;
    }

  private:
    static std::string escaped(const std::string& text) {
        std::string result;
        for (const char c : text) {
            result += c == '\'' ? std::string("'\\''") : std::string(1, c);
        }
        return result;
    }

    std::filesystem::path folder_;
};

TEST_F(NumberProcess, AFullDeviceIsReportedWithStatusThree) {
    for (const char* command : {
             "printf \"41,117.5\\n\" | \"$CLI\" number --scale E >/dev/full 2>\"$ERR\"",
             "\"$CLI\" number --scale E --jobs 2 <\"$POINTS\" >/dev/full 2>\"$ERR\"",
             "\"$CLI\" number --scale E 41 117.5 >/dev/full 2>\"$ERR\"",
             "\"$CLI\" number --help >/dev/full 2>\"$ERR\"",
             "\"$CLI\" --help >/dev/full 2>\"$ERR\"",
         }) {
        SCOPED_TRACE(command);
        const ProcessRun result = run(command);
        EXPECT_EQ(result.status, 3);
        EXPECT_EQ(result.err, "mapsheet-cli: cannot write output: No space left on device\n");
    }
}

// With SIGPIPE ignored a closed pipe is a write error like any other, not a quiet success.
TEST_F(NumberProcess, AClosedPipeIsReportedWhenSigpipeIsIgnored) {
    for (const char* jobs : {"1", "2"}) {
        SCOPED_TRACE(jobs);
        const ProcessRun result =
            run(std::string("trap \"\" PIPE; { \"$CLI\" number --scale E --jobs ") + jobs +
                " <\"$POINTS\" 2>\"$ERR\"; echo $? >\"$STATUS\"; } | head -1 >\"$OUT\"");
        EXPECT_EQ(result.status, 3);
        EXPECT_EQ(result.out, "latitude,longitude,new,old,error\n");
        EXPECT_EQ(result.err, "mapsheet-cli: cannot write output: Broken pipe\n");
    }
}

TEST_F(NumberProcess, AnUnreadableInputIsReportedWithStatusFour) {
    const struct {
        const char* name;
        const char* redirection;
        const char* reason;
    } cases[] = {
        {"a directory", "</", "Is a directory"},
        {"a closed standard input", "<&-", "Bad file descriptor"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* mode : {"", " --lat-col 1 --lon-col 2"}) {
            const ProcessRun result = run(std::string("\"$CLI\" number --scale E") + mode + " " +
                                          c.redirection + " >\"$OUT\" 2>\"$ERR\"");
            EXPECT_EQ(result.status, 4);
            EXPECT_EQ(result.err,
                      std::string("mapsheet-cli: cannot read input: ") + c.reason + "\n");
        }
    }
    EXPECT_EQ(run("\"$CLI\" number --scale E </ >\"$OUT\" 2>\"$ERR\"").out,
              "latitude,longitude,new,old,error\n");
}

}  // namespace
