#include "XvfbServer.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// A lock whose server is gone (a crashed run) is removed, as X servers do.
bool staleLock(const std::string& lock)
{
    std::ifstream in(lock);
    long pid = 0;
    if (!(in >> pid) || pid <= 0)
        return false; // unreadable, or being written right now
    return kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

bool displayInUse(int n)
{
    std::error_code ec;
    const std::string id = std::to_string(n);
    const std::string lock = "/tmp/.X" + id + "-lock";
    if (std::filesystem::exists(lock, ec) && staleLock(lock))
        unlink(lock.c_str());
    return std::filesystem::exists(lock, ec) || std::filesystem::exists("/tmp/.X11-unix/X" + id, ec);
}

// Waits for the child to exit, at most `timeout`; true when it did.
bool reap(pid_t pid, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    do {
        pid_t r = waitpid(pid, nullptr, WNOHANG);
        if (r == pid || (r < 0 && errno == ECHILD))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    } while (std::chrono::steady_clock::now() < deadline);
    return false;
}

void terminate(pid_t pid)
{
    kill(pid, SIGTERM);
    if (!reap(pid, std::chrono::seconds(5))) {
        kill(pid, SIGKILL);
        reap(pid, std::chrono::seconds(5));
    }
}

// Reads what the server writes to its -displayfd pipe: true once a full line
// arrived, false on end of file (the server gave up) or at the deadline.
bool readyLine(int fd, std::chrono::steady_clock::time_point deadline, bool& timedOut)
{
    std::string text;
    timedOut = false;
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            timedOut = true;
            return false;
        }
        pollfd p { fd, POLLIN, 0 };
        int r = poll(&p, 1, int(left.count()));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            continue;
        char buffer[32];
        ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        text.append(buffer, size_t(got));
        if (text.find('\n') != std::string::npos)
            return true;
    }
}

// True once the display's socket accepts a connection, polled until the deadline.
// The server runs with -noreset: an X server otherwise resets when its last client
// leaves, and a game connecting during that reset is told the display cannot be
// opened (a screenshot or xdotool call just before the game was enough).
bool acceptsClients(int n, std::chrono::steady_clock::time_point deadline)
{
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "/tmp/.X11-unix/X%d", n);
    do {
        const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return false;
        const bool connected = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
        close(fd);
        if (connected)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    } while (std::chrono::steady_clock::now() < deadline);
    return false;
}

} // namespace

std::string XvfbServer::executable()
{
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path ? path : "/usr/bin:/bin");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        std::string candidate = (dir.empty() ? "." : dir) + "/Xvfb";
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

XvfbServer::Attempt XvfbServer::tryDisplay(
    const std::string& exe, int n, const std::string& screen, std::chrono::steady_clock::time_point deadline)
{
    // With -displayfd the server writes no lock file of its own, so claim
    // the display the usual X way: whoever creates the lock file owns it.
    const std::string lock = "/tmp/.X" + std::to_string(n) + "-lock";
    int lockFd = open(lock.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0444);
    if (lockFd < 0)
        return Attempt::Taken;
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        close(lockFd);
        unlink(lock.c_str());
        lastError = "pipe failed";
        return Attempt::Failed;
    }
    const std::string displayArg = ":" + std::to_string(n);
    const std::string fdArg = std::to_string(fds[1]);
    const pid_t parent = getpid();
    pid_t child = fork();
    if (child < 0) {
        close(fds[0]);
        close(fds[1]);
        close(lockFd);
        unlink(lock.c_str());
        lastError = "fork failed";
        return Attempt::Failed;
    }
    if (child == 0) {
        // The server must not outlive a test process that crashes.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent)
            _exit(127);
        fcntl(fds[1], F_SETFD, 0);
        int quiet = open("/dev/null", O_RDWR);
        dup2(quiet, STDIN_FILENO);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        execl(exe.c_str(), "Xvfb", displayArg.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
            "-noreset", "-displayfd", fdArg.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    // The lock holds the server's pid, as X servers write it, so a lock left
    // by a crashed run is recognised as stale by the next server.
    char pidText[16];
    int length = std::snprintf(pidText, sizeof pidText, "%10d\n", int(child));
    bool written = write(lockFd, pidText, size_t(length)) == length;
    close(lockFd);
    bool timedOut = false;
    bool ready = written && readyLine(fds[0], deadline, timedOut);
    close(fds[0]);
    if (ready && !acceptsClients(n, std::min(deadline, std::chrono::steady_clock::now() + std::chrono::seconds(5))))
        ready = false; // a server that takes no clients is of no use; try the next display
    if (ready) {
        serverPid = child;
        number = n;
        lockFile = lock;
        return Attempt::Ready;
    }
    terminate(child);
    unlink(lock.c_str());
    if (timedOut) {
        lastError = "Xvfb " + displayArg + " did not become ready in time";
        return Attempt::Failed;
    }
    return Attempt::Taken;
}

bool XvfbServer::start(int first, int last, const std::string& screen, std::chrono::milliseconds timeout)
{
    stop();
    lastError.clear();
    const std::string exe = executable();
    if (exe.empty()) {
        lastError = "Xvfb is not installed";
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    const int span = last - first + 1;
    const int offset = span > 0 ? int(getpid() % span) : 0;
    for (int k = 0; k < span; ++k) {
        int n = first + (offset + k) % span;
        if (displayInUse(n))
            continue;
        Attempt attempt = tryDisplay(exe, n, screen, deadline);
        if (attempt == Attempt::Ready) {
            ownerPid = getpid();
            return true;
        }
        if (attempt == Attempt::Failed)
            return false;
    }
    lastError = "no free display between :" + std::to_string(first) + " and :" + std::to_string(last);
    return false;
}

void XvfbServer::stop()
{
    if (serverPid > 0 && ownerPid == getpid()) {
        terminate(serverPid);
        unlink(lockFile.c_str());
    }
    lockFile.clear();
    serverPid = -1;
    ownerPid = -1;
    number = -1;
}
