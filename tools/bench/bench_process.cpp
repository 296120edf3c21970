// Child processes: fork and exec with pipes, timeouts, resource use; the private X server.
#include "bench_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "bench_clock.h"

namespace {

// In the forked child: the environment, the standard streams, then the program.
[[noreturn]] void ExecChild(const std::vector<std::string>& argv, const Environment& env,
                            int stdoutFd) {
    for (const auto& [name, value] : env) setenv(name.c_str(), value.c_str(), 1);
    const int devNull = open("/dev/null", O_RDWR);
    dup2(devNull, STDIN_FILENO);
    dup2(stdoutFd >= 0 ? stdoutFd : devNull, STDOUT_FILENO);
    if (stdoutFd < 0) dup2(devNull, STDERR_FILENO);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
}

// Waits for a child with its resource use; kills it at the deadline (0: no deadline).
int WaitForChild(pid_t pid, int64_t deadlineNs, rusage& usage) {
    for (;;) {
        int status = 0;
        const pid_t done = wait4(pid, &status, deadlineNs ? WNOHANG : 0, &usage);
        if (done == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        if (done < 0) return -1;
        if (MonotonicNs() > deadlineNs) {
            kill(pid, SIGKILL);
            deadlineNs = 0;
        } else {
            usleep(10000);
        }
    }
}

}  // namespace

ChildRun RunChild(const std::vector<std::string>& argv, const Environment& env, int timeoutMs) {
    ChildRun run;
    int out[2];
    if (pipe(out) != 0) return run;
    const pid_t pid = fork();
    if (pid == 0) {
        close(out[0]);
        ExecChild(argv, env, out[1]);
    }
    close(out[1]);
    if (pid < 0) {
        close(out[0]);
        return run;
    }
    const int64_t deadline = MonotonicNs() + int64_t{timeoutMs} * 1000000;
    char buffer[4096];
    for (;;) {
        pollfd p{out[0], POLLIN, 0};
        const int64_t left = (deadline - MonotonicNs()) / 1000000;
        if (left <= 0 || poll(&p, 1, static_cast<int>(left)) <= 0) break;
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0) break;
        run.Output.append(buffer, static_cast<size_t>(n));
    }
    close(out[0]);
    rusage usage{};
    run.ExitCode = WaitForChild(pid, deadline, usage);
    run.MaxRssKb = usage.ru_maxrss;
    return run;
}

pid_t StartBackground(const std::vector<std::string>& argv, const Environment& env) {
    const pid_t pid = fork();
    if (pid == 0) ExecChild(argv, env, -1);
    return pid;
}

void StopChild(pid_t pid, int graceMs) {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    rusage usage{};
    WaitForChild(pid, MonotonicNs() + int64_t{graceMs} * 1000000, usage);
}

bool OnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        const std::string candidate = dirs.substr(start, end - start) + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0) return true;
        start = end + 1;
    }
    return false;
}

std::string SelfPath() {
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string("tolmara-bench") : self.string();
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

PrivateXServer::~PrivateXServer() {
    StopChild(pid_, 3000);
}

// Xvfb picks a free display itself and writes its number to the descriptor of -displayfd once
// it accepts connections, so several developers' runs never collide on a number.
bool PrivateXServer::Start() {
    if (!OnPath("Xvfb")) return false;
    int fds[2];
    if (pipe(fds) != 0) return false;
    pid_ = fork();
    if (pid_ == 0) {
        close(fds[0]);
        dup2(fds[1], 3);
        // -noreset: like a desktop's server it keeps its state between clients, rather than
        // starting over (and compiling its keymap again) each time the last client leaves.
        ExecChild({"Xvfb", "-displayfd", "3", "-screen", "0", "1280x960x24", "-nolisten", "tcp",
                   "-noreset"},
                  {}, -1);
    }
    close(fds[1]);
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    char c = 0;
    while (pid_ > 0 && poll(&p, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (number.empty()) {
        StopChild(pid_, 1000);
        pid_ = -1;
        return false;
    }
    display_ = ":" + number;
    return true;
}
