#include "Process.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

std::vector<char*> pointers(std::vector<std::string>& strings)
{
    std::vector<char*> list;
    for (auto& s : strings)
        list.push_back(s.data());
    list.push_back(nullptr);
    return list;
}

std::vector<std::string> environmentWith(const std::vector<std::string>& extra)
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        std::string entry(*e);
        const std::string key = entry.substr(0, entry.find('='));
        bool replaced = false;
        for (const auto& x : extra)
            replaced = replaced || x.substr(0, x.find('=')) == key;
        if (!replaced)
            env.push_back(entry);
    }
    env.insert(env.end(), extra.begin(), extra.end());
    return env;
}

// The exit code of a wait status, as a shell reports it.
int shellCode(int status)
{
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return -1;
}

// Waits for pid at most until the deadline; the status, or -1 on time-out.
bool reapBy(pid_t pid, Clock::time_point deadline, int& status)
{
    for (;;) {
        pid_t r = waitpid(pid, &status, WNOHANG);
        if (r == pid)
            return true;
        if (r < 0 && errno != EINTR)
            return true;
        if (Clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

ToolResult runTool(const std::vector<std::string>& argv, const std::vector<std::string>& env,
    std::chrono::milliseconds timeout)
{
    ToolResult result;
    int fds[2];
    if (argv.empty() || pipe2(fds, O_CLOEXEC) != 0)
        return result;
    std::vector<std::string> args = argv;
    std::vector<std::string> environment = environmentWith(env);
    std::vector<char*> argp = pointers(args);
    std::vector<char*> envp = pointers(environment);
    const pid_t child = fork();
    if (child == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        dup2(fds[1], STDOUT_FILENO);
        int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDERR_FILENO);
        execvpe(argp[0], argp.data(), envp.data());
        _exit(127);
    }
    close(fds[1]);
    if (child < 0) {
        close(fds[0]);
        return result;
    }
    const auto deadline = Clock::now() + timeout;
    bool timedOut = false;
    char buffer[4096];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            timedOut = true;
            break;
        }
        pollfd p { fds[0], POLLIN, 0 };
        int r = poll(&p, 1, int(left.count()));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            continue;
        ssize_t got = read(fds[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        result.out.append(buffer, size_t(got));
    }
    close(fds[0]);
    int status = 0;
    if (timedOut)
        kill(child, SIGKILL);
    if (!reapBy(child, Clock::now() + std::chrono::seconds(5), status)) {
        kill(child, SIGKILL);
        reapBy(child, Clock::now() + std::chrono::seconds(5), status);
        return result;
    }
    result.status = timedOut ? -1 : shellCode(status);
    return result;
}

bool GameProcess::start(const std::string& binary, const std::filesystem::path& dir,
    const std::vector<std::string>& env, const std::vector<std::string>& arguments)
{
    stop();
    folder = dir;
    code = -1;
    std::vector<std::string> args = { binary };
    args.insert(args.end(), arguments.begin(), arguments.end());
    std::vector<std::string> environment = environmentWith(env);
    std::vector<char*> argp = pointers(args);
    std::vector<char*> envp = pointers(environment);
    const std::string outPath = (dir / "stdout.txt").string();
    const std::string errPath = (dir / "stderr.txt").string();
    const std::string cwd = dir.string();
    const pid_t parent = getpid();
    pid = fork();
    if (pid == 0) {
        // The game must not outlive a test that crashes.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent)
            _exit(127);
        if (chdir(cwd.c_str()) != 0)
            _exit(127);
        int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int in = open("/dev/null", O_RDONLY);
        dup2(in, STDIN_FILENO);
        dup2(out, STDOUT_FILENO);
        dup2(err, STDERR_FILENO);
        execve(argp[0], argp.data(), envp.data());
        _exit(127);
    }
    return pid > 0;
}

bool GameProcess::exited()
{
    return waitExit(std::chrono::milliseconds(0));
}

bool GameProcess::waitExit(std::chrono::milliseconds timeout)
{
    if (pid <= 0)
        return true;
    int status = 0;
    if (!reapBy(pid, Clock::now() + timeout, status))
        return false;
    code = shellCode(status);
    pid = -1;
    return true;
}

void GameProcess::stop()
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    if (!waitExit(std::chrono::seconds(5))) {
        kill(pid, SIGKILL);
        waitExit(std::chrono::seconds(5));
    }
}

std::string GameProcess::out() const
{
    return readFile(folder / "stdout.txt");
}

std::string GameProcess::err() const
{
    return readFile(folder / "stderr.txt");
}
