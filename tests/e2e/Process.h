#pragma once

// Child processes for end-to-end tests: the game itself and the X tools
// (xdotool, import, convert) that drive and watch it. Programs run without a
// shell; every wait is bounded.

#include <chrono>
#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

struct ToolResult {
    int status = -1; // exit code, -1 when the program could not run or timed out
    std::string out; // standard output
};

// Runs argv[0] (looked up on PATH) with `env` added to this process's
// environment, waiting at most `timeout` before killing it.
ToolResult runTool(const std::vector<std::string>& argv, const std::vector<std::string>& env = {},
    std::chrono::milliseconds timeout = std::chrono::seconds(15));

// The game binary running in its own folder, with its standard output and
// error written to stdout.txt and stderr.txt there.
class GameProcess {
public:
    GameProcess() = default;
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;
    ~GameProcess() { stop(); }

    bool start(const std::string& binary, const std::filesystem::path& folder, const std::vector<std::string>& env,
        const std::vector<std::string>& arguments = {});
    // True once the process has ended (it is reaped then).
    bool exited();
    // Waits at most `timeout` for the end; true when it ended.
    bool waitExit(std::chrono::milliseconds timeout);
    // The exit code as a shell reports it (255 for -1, 128 + n for signal n).
    int exitCode() const { return code; }
    // Ends a process that is still running: SIGTERM, then SIGKILL.
    void stop();

    std::string out() const;
    std::string err() const;
    // The running process's id, -1 once it has ended.
    pid_t processId() const { return pid; }

private:
    pid_t pid = -1;
    int code = -1;
    std::filesystem::path folder;
};
