#include "cli/progress_line.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>

namespace mapsheet::cli {

namespace {

using namespace std::chrono_literals;

constexpr auto kQuietStart = 1s;
constexpr auto kRedrawInterval = 250ms;
// Back to the line's start, and clear from the cursor to the end of the line.
constexpr std::string_view kLineStart = "\r";
constexpr std::string_view kClearToEnd = "\x1b[K";

bool isTerminal(int descriptor) {
    return isatty(descriptor) == 1;
}

bool drawsFor(const std::ostream& err, const std::ostream* rows) {
    const char* terminalType = std::getenv("TERM");
    const bool rowsOnTerminal = rows == &std::cout && isTerminal(STDOUT_FILENO);
    return &err == &std::cerr && isTerminal(STDERR_FILENO) && !rowsOnTerminal &&
           !(terminalType != nullptr && std::string_view(terminalType) == "dumb");
}

// The columns of the terminal on standard error, 0 when it does not say.
std::size_t terminalColumns() {
    winsize size{};
    return ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 ? size.ws_col : 0;
}

}  // namespace

// err's buffer while the line draws: every message passes through to the terminal after the
// line is erased.
class ProgressLine::ErrorStream final : public std::streambuf {
  public:
    ErrorStream(ProgressLine& line, std::streambuf& terminal) : line_(line), terminal_(terminal) {}

  protected:
    int_type overflow(int_type character) override {
        if (traits_type::eq_int_type(character, traits_type::eof())) {
            return traits_type::not_eof(character);
        }
        const char byte = traits_type::to_char_type(character);
        return xsputn(&byte, 1) == 1 ? character : traits_type::eof();
    }

    std::streamsize xsputn(const char* bytes, std::streamsize count) override {
        if (count <= 0) {
            return 0;
        }
        line_.beforeMessage();
        const std::streamsize written = terminal_.sputn(bytes, count);
        line_.afterMessage(bytes[count - 1] == '\n');
        return written;
    }

    int sync() override { return terminal_.pubsync(); }

  private:
    ProgressLine& line_;
    std::streambuf& terminal_;
};

ProgressLine::ProgressLine(std::ostream& err, const std::ostream* rows, std::string_view unit)
    : ProgressLine(err, unit, drawsFor(err, rows), true, [] { return Clock::now(); }) {}

ProgressLine::ProgressLine(std::ostream& err, std::string_view unit,
                           std::function<Clock::time_point()> now)
    : ProgressLine(err, unit, true, false, std::move(now)) {}

ProgressLine::ProgressLine(std::ostream& err, std::string_view unit, bool draws, bool fitsTerminal,
                           std::function<Clock::time_point()> now)
    : err_(err), unit_(unit), fitsTerminal_(fitsTerminal), now_(std::move(now)) {
    if (!draws) {
        return;
    }
    start_ = now_();
    terminal_ = err.rdbuf();
    errorStream_ = std::make_unique<ErrorStream>(*this, *terminal_);
    const std::ios::iostate state = err.rdstate();
    err.rdbuf(errorStream_.get());
    err.setstate(state);
}

ProgressLine::~ProgressLine() {
    if (terminal_ == nullptr) {
        return;
    }
    erase();
    const std::ios::iostate state = err_.rdstate();
    err_.rdbuf(terminal_);
    err_.setstate(state);
}

batch::ProgressListener ProgressLine::listener() {
    if (terminal_ == nullptr) {
        return {};
    }
    return [this](const batch::ProgressCount& count) { show(count); };
}

void ProgressLine::show(const batch::ProgressCount& count) {
    if (terminal_ == nullptr || !atLineStart_) {
        return;
    }
    const Clock::time_point now = now_();
    if (now - start_ <= kQuietStart || (everDrawn_ && now - lastDrawn_ < kRedrawInterval)) {
        return;
    }
    std::string text =
        batch::progressText(count, std::chrono::duration<double>(now - start_).count(), unit_);
    // A line longer than the terminal would wrap, and clearing would then leave its first part.
    if (const std::size_t columns = fitsTerminal_ ? terminalColumns() : 0; columns > 1) {
        text.resize(std::min(text.size(), columns - 1));
    }
    write(std::string(kLineStart) + text + std::string(kClearToEnd));
    shown_ = true;
    everDrawn_ = true;
    lastDrawn_ = now;
}

void ProgressLine::write(std::string_view bytes) {
    terminal_->sputn(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    terminal_->pubsync();
}

void ProgressLine::erase() {
    if (shown_) {
        write(std::string(kLineStart) + std::string(kClearToEnd));
        shown_ = false;
    }
}

}  // namespace mapsheet::cli
