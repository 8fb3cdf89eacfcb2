#include "signin/LogonThrottle.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace zorv::signin {
namespace {

using std::chrono::minutes;
using Clock = LogonThrottle::Clock;

enum class Action { Fail, Succeed, ExpectAllowed, ExpectRefused };

/// One line of a scenario. A '#' in login or address is replaced by the
/// repetition number, so {Fail, "user#", "a", 0, 3} fails user0..user2.
struct Step {
    Action action;
    std::string login;
    std::string address;
    int atMinute = 0;
    int times = 1;
};

struct Scenario {
    const char* name;
    std::vector<Step> steps;
};

std::string numbered(std::string text, int n)
{
    if (const auto at = text.find('#'); at != std::string::npos)
        text.replace(at, 1, std::to_string(n));
    return text;
}

void run(const Scenario& scenario)
{
    LogonThrottle throttle;
    const Clock::time_point start{};
    for (std::size_t line = 0; line < scenario.steps.size(); ++line) {
        const Step& step = scenario.steps[line];
        SCOPED_TRACE("step " + std::to_string(line + 1));
        const auto now = start + minutes(step.atMinute);
        for (int n = 0; n < step.times; ++n) {
            const std::string login = numbered(step.login, n);
            const std::string address = numbered(step.address, n);
            switch (step.action) {
            case Action::Fail: throttle.failed(login, address, now); break;
            case Action::Succeed: throttle.succeeded(login); break;
            case Action::ExpectAllowed: EXPECT_TRUE(throttle.allowed(login, address, now)); break;
            case Action::ExpectRefused: EXPECT_FALSE(throttle.allowed(login, address, now)); break;
            }
        }
    }
}

TEST(LogonThrottle, Scenarios)
{
    using enum Action;
    const Scenario scenarios[] = {
        {"four failures leave the login open", {{Fail, "alice", "10.0.0.1", 0, 4}, {ExpectAllowed, "alice", "10.0.0.1", 0}}},
        {"fifth failure locks the login from every address, in any case",
         {{Fail, "alice", "10.0.0.1", 0, 5},
          {ExpectRefused, "alice", "10.0.0.1", 0},
          {ExpectRefused, "ALICE", "10.0.0.2", 1},
          {ExpectAllowed, "bob", "10.0.0.1", 1}}},
        {"the lock lasts fifteen minutes",
         {{Fail, "alice", "10.0.0.1", 3, 5}, {ExpectRefused, "alice", "10.0.0.1", 17}, {ExpectAllowed, "alice", "10.0.0.1", 18}}},
        {"failures older than the window are forgotten",
         {{Fail, "alice", "10.0.0.1", 0, 4},
          {Fail, "alice", "10.0.0.1", 15},
          {Fail, "alice", "10.0.0.1", 16, 3},
          {ExpectAllowed, "alice", "10.0.0.1", 16},
          {Fail, "alice", "10.0.0.1", 16},
          {ExpectRefused, "alice", "10.0.0.1", 16}}},
        {"failures after the lock start a new count",
         {{Fail, "alice", "10.0.0.1", 0, 5}, {Fail, "alice", "10.0.0.1", 15, 4}, {ExpectAllowed, "alice", "10.0.0.1", 15}}},
        {"a success clears the login's count",
         {{Fail, "alice", "10.0.0.1", 0, 4},
          {Succeed, "Alice", "", 0},
          {Fail, "alice", "10.0.0.1", 1, 4},
          {ExpectAllowed, "alice", "10.0.0.1", 1}}},
        {"twenty failures lock the address for every login",
         {{Fail, "user#", "10.0.0.1", 0, 19},
          {ExpectAllowed, "carol", "10.0.0.1", 0},
          {Fail, "carol", "10.0.0.1", 0},
          {ExpectRefused, "dave", "10.0.0.1", 0},
          {ExpectAllowed, "dave", "10.0.0.2", 0},
          {ExpectRefused, "dave", "10.0.0.1", 14},
          {ExpectAllowed, "dave", "10.0.0.1", 15}}},
        {"a success does not clear the address's count",
         {{Fail, "user#", "10.0.0.1", 0, 19},
          {Succeed, "user#", "", 0, 19},
          {Fail, "carol", "10.0.0.1", 0},
          {ExpectRefused, "dave", "10.0.0.1", 0}}},
        {"failures from many addresses still count against the login",
         {{Fail, "alice", "10.0.0.#", 0, 5}, {ExpectRefused, "alice", "10.0.1.1", 0}}},
    };
    for (const auto& scenario : scenarios) {
        SCOPED_TRACE(scenario.name);
        run(scenario);
    }
}

TEST(LogonThrottle, TableStaysBounded)
{
    constexpr std::size_t kCap = 3;
    LogonThrottle throttle(kCap);
    const Clock::time_point start{};

    for (int i = 0; i < 10; ++i)
        throttle.failed("user" + std::to_string(i), "10.0.0." + std::to_string(i), start + minutes(i));
    EXPECT_EQ(throttle.loginEntries(), kCap);
    EXPECT_EQ(throttle.addressEntries(), kCap);

    throttle.failed("late", "10.0.9.9", start + minutes(60));
    EXPECT_EQ(throttle.loginEntries(), 1u) << "expired entries go before live ones";
    EXPECT_EQ(throttle.addressEntries(), 1u);
}

TEST(LogonThrottle, SharedBetweenThreads)
{
    constexpr int kThreads = 4;
    constexpr int kFailuresPerThread = 50;
    LogonThrottle throttle;
    const Clock::time_point now{};
    std::vector<std::jthread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&throttle, t, now] {
            for (int i = 0; i < kFailuresPerThread; ++i) {
                const std::string login = "t" + std::to_string(t) + "u" + std::to_string(i);
                if (throttle.allowed(login, "10.0.0.1", now))
                    throttle.failed(login, "10.0.0.1", now);
            }
        });
    threads.clear();
    EXPECT_FALSE(throttle.allowed("anyone", "10.0.0.1", now));
    EXPECT_TRUE(throttle.allowed("anyone", "10.0.0.2", now));
}

} // namespace
} // namespace zorv::signin
