#include "tools/PasswordInput.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sstream>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace zorv::admin {
namespace {

using namespace std::chrono_literals;

/// Writes what a stream receives straight to a file descriptor.
class FdBuf : public std::streambuf {
public:
    explicit FdBuf(int fd) : fd_(fd) {}

protected:
    int overflow(int c) override
    {
        const char byte = static_cast<char>(c);
        return c == EOF || ::write(fd_, &byte, 1) == 1 ? c : EOF;
    }

private:
    int fd_;
};

struct PipeCase {
    const char* name;
    std::string input;
    std::optional<std::string> password;
};

const PipeCase kPipeCases[] = {
    {"one line, CR LF, more lines after it", "S3cret pw\r\nsecond line\n", "S3cret pw"},
    {"last line without a line break", "S3cret", "S3cret"},
    {"an empty line is an empty password", "\n", ""},
    {"no input at all", "", std::nullopt},
};

TEST(PasswordInput, ReadsOneLineFromAPipe)
{
    for (const PipeCase& c : kPipeCases) {
        SCOPED_TRACE(c.name);
        int ends[2];
        ASSERT_EQ(::pipe(ends), 0);
        ASSERT_EQ(::write(ends[1], c.input.data(), c.input.size()), static_cast<ssize_t>(c.input.size()));
        ::close(ends[1]);
        std::ostringstream err;
        EXPECT_EQ(readNewPassword(ends[0], err), c.password);
        ::close(ends[0]);
    }
}

/// A person at a terminal: what readNewPassword returned, everything the
/// terminal showed, and whether echo was on again afterwards.
struct TerminalRun {
    std::optional<std::string> password;
    std::string screen;
    bool echoRestored = false;
};

bool echoOn(int fd)
{
    struct termios settings;
    return ::tcgetattr(fd, &settings) == 0 && (settings.c_lflag & ECHO) != 0;
}

/// Adds what the terminal shows within waitMs to screen; false when nothing came.
bool readScreen(int master, std::string& screen, int waitMs)
{
    pollfd ready{master, POLLIN, 0};
    if (::poll(&ready, 1, waitMs) <= 0)
        return false;
    char buffer[256];
    const ssize_t got = ::read(master, buffer, sizeof buffer);
    if (got <= 0)
        return false;
    screen.append(buffer, static_cast<std::size_t>(got));
    return true;
}

/// Reads the terminal's output until it shows text (or 5 s pass).
void waitForText(int master, std::string& screen, std::string_view text)
{
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (screen.find(text) == std::string::npos && std::chrono::steady_clock::now() < deadline)
        readScreen(master, screen, 50);
}

/// Types each line at its prompt, once echo is off, as a person would.
TerminalRun typeAtTerminal(const std::string& first, const std::string& second)
{
    int master = -1;
    int slave = -1;
    if (::openpty(&master, &slave, nullptr, nullptr, nullptr) != 0)
        throw std::runtime_error("openpty failed");
    TerminalRun run;
    std::thread reader([&] {
        FdBuf buffer(slave);
        std::ostream prompts(&buffer);
        run.password = readNewPassword(slave, prompts);
    });
    const std::pair<std::string_view, std::string> steps[] = {{"New password: ", first}, {"Type it again: ", second}};
    for (const auto& [prompt, line] : steps) {
        waitForText(master, run.screen, prompt);
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        while (echoOn(slave) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(1ms);
        const std::string typed = line + "\n";
        if (::write(master, typed.data(), typed.size()) != static_cast<ssize_t>(typed.size()))
            throw std::runtime_error("write to the terminal failed");
    }
    reader.join();
    while (readScreen(master, run.screen, 100)) {
    }
    run.echoRestored = echoOn(slave);
    ::close(slave);
    ::close(master);
    return run;
}

TEST(PasswordInput, TerminalAsksTwiceWithoutEchoAndRestoresIt)
{
    const TerminalRun same = typeAtTerminal("Hidden-Pw7", "Hidden-Pw7");
    EXPECT_EQ(same.password, "Hidden-Pw7");
    EXPECT_EQ(same.screen.find("Hidden"), std::string::npos) << same.screen;
    EXPECT_TRUE(same.echoRestored);

    const TerminalRun differ = typeAtTerminal("Hidden-Pw7", "Hidden-Pw8");
    EXPECT_EQ(differ.password, std::nullopt);
    EXPECT_NE(differ.screen.find("the two passwords differ"), std::string::npos) << differ.screen;
    EXPECT_TRUE(differ.echoRestored);
}

} // namespace
} // namespace zorv::admin
