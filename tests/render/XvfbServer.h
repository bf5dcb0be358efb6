#pragma once

#include <chrono>
#include <string>
#include <sys/types.h>

// A private X server for tests that need a display.
//
//   XvfbServer server;
//   if (!XvfbServer::installed()) GTEST_SKIP() << "Xvfb is not installed";
//   ASSERT_TRUE(server.start()) << server.error();
//   setenv("DISPLAY", server.display().c_str(), 1);
//   ... run a window or the game with that DISPLAY ...
//   server.stop(); // or let the destructor do it
//
// start() takes the first display number in [first, last] that has neither
// a lock file nor a socket, claims it by creating /tmp/.X<n>-lock (holding
// the server's pid, as X servers do), and moves on when the lock or the
// server's socket turns out to be taken. The search begins at an offset
// derived from the process id so parallel test processes rarely collide. The server reports ready
// through -displayfd, so start() returns as soon as it accepts connections
// (bounded by the timeout). The server gets SIGTERM if the test process
// dies, and stop() signals only its own process id, and only from the
// process that started it (a forked child never stops its parent's server).
class XvfbServer {
public:
    XvfbServer() = default;
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;
    ~XvfbServer() { stop(); }

    // Full path of the Xvfb executable on PATH, empty when there is none.
    static std::string executable();
    static bool installed() { return !executable().empty(); }

    bool start(int first = 90, int last = 140, const std::string& screen = "1280x720x24",
        std::chrono::milliseconds timeout = std::chrono::seconds(15));
    void stop();

    bool running() const { return serverPid > 0; }
    int displayNumber() const { return number; }
    std::string display() const { return ":" + std::to_string(number); }
    pid_t pid() const { return serverPid; }
    // Why the last start() failed.
    const std::string& error() const { return lastError; }

private:
    enum class Attempt { Ready, Taken, Failed };
    Attempt tryDisplay(const std::string& exe, int n, const std::string& screen,
        std::chrono::steady_clock::time_point deadline);

    pid_t serverPid = -1;
    pid_t ownerPid = -1;
    int number = -1;
    std::string lockFile;
    std::string lastError;
};
