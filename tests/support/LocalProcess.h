#pragma once

// Helpers for tests that run a real server program on a loopback port.

#include <chrono>
#include <sys/types.h>

namespace zorv::test {

/// Binds fd to a free port of 127.0.0.1 and returns the port.
int bindFreeLoopbackPort(int fd);
/// A loopback port that was free a moment ago.
int freeLoopbackPort();
/// True when something accepts a connection on the loopback port.
bool acceptsConnections(int port);
/// Ends a child process: SIGTERM, then SIGKILL once timeout has passed; waits
/// for it and sets pid to -1. Does nothing for a pid below 1.
void stopChild(pid_t& pid, std::chrono::milliseconds timeout);

} // namespace zorv::test
