#include "tools/PasswordInput.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <termios.h>
#include <unistd.h>

namespace zorv::admin {

namespace {

constexpr std::array kRestoringSignals = {SIGINT, SIGTERM, SIGHUP};

// The terminal whose echo is off, for the signal handler; one at a time.
int hiddenFd = -1;
struct termios savedTerminal;

void restoreAndRaise(int signal)
{
    ::tcsetattr(hiddenFd, TCSAFLUSH, &savedTerminal);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

/// Switches the echo of a terminal off for its lifetime.
class EchoOff {
public:
    explicit EchoOff(int fd)
    {
        if (::tcgetattr(fd, &savedTerminal) != 0)
            return;
        struct termios quiet = savedTerminal;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        quiet.c_lflag |= ECHONL; // the Enter still shows as a line break
        hiddenFd = fd;
        for (std::size_t i = 0; i < kRestoringSignals.size(); ++i)
            previous_[i] = std::signal(kRestoringSignals[i], restoreAndRaise);
        ::tcsetattr(fd, TCSAFLUSH, &quiet);
    }
    ~EchoOff()
    {
        if (hiddenFd < 0)
            return;
        ::tcsetattr(hiddenFd, TCSAFLUSH, &savedTerminal);
        for (std::size_t i = 0; i < kRestoringSignals.size(); ++i)
            std::signal(kRestoringSignals[i], previous_[i]);
        hiddenFd = -1;
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

private:
    std::array<void (*)(int), kRestoringSignals.size()> previous_{};
};

/// One line from fd, read a byte at a time so nothing after it is consumed;
/// nothing when the input ends before any byte.
std::optional<std::string> readLine(int fd)
{
    std::string line;
    char c = 0;
    for (;;) {
        const ssize_t got = ::read(fd, &c, 1);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            if (line.empty())
                return std::nullopt;
            break;
        }
        if (c == '\n')
            break;
        line += c;
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

std::optional<std::string> readHidden(int fd, const char* prompt, std::ostream& err)
{
    err << prompt << std::flush;
    EchoOff quiet(fd);
    return readLine(fd);
}

} // namespace

std::optional<std::string> readNewPassword(int fd, std::ostream& err)
{
    if (!::isatty(fd)) {
        std::optional<std::string> line = readLine(fd);
        if (!line)
            err << "no password was given on standard input\n";
        return line;
    }
    std::optional<std::string> first = readHidden(fd, "New password: ", err);
    if (!first) {
        err << "no password was typed\n";
        return std::nullopt;
    }
    std::optional<std::string> second = readHidden(fd, "Type it again: ", err);
    if (second != first) {
        err << "the two passwords differ\n";
        return std::nullopt;
    }
    return first;
}

} // namespace zorv::admin
