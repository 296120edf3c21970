// Child processes of the benchmark: running programs with their output and resource use, and a
// private X server (Xvfb) for the figures that need a real window.
#pragma once

#include <sys/types.h>

#include <string>
#include <utility>
#include <vector>

using Environment = std::vector<std::pair<std::string, std::string>>;

struct ChildRun {
    int ExitCode = -1;   // -1 when the child did not exit by itself
    std::string Output;  // its standard output
    long MaxRssKb = 0;   // peak resident memory (getrusage of the child)
};

// Runs a program (searched on PATH) with `env` added to the environment and its standard output
// captured; standard error passes through. A child still running after timeoutMs is killed.
ChildRun RunChild(const std::vector<std::string>& argv, const Environment& env, int timeoutMs);

// Starts a program in the background with `env` added, its output thrown away. Returns its pid,
// or -1 when it could not be started.
pid_t StartBackground(const std::vector<std::string>& argv, const Environment& env);
// Asks a child to end (SIGTERM), and kills it when it has not ended within graceMs.
void StopChild(pid_t pid, int graceMs);

// True when `program` is an executable file on PATH.
bool OnPath(const std::string& program);
// This program's own path and folder (with a trailing '/').
std::string SelfPath();
std::string FolderOf(const std::string& path);

// A private Xvfb server with one 1280 x 960 x 24 screen, on a display number it picks itself.
class PrivateXServer {
  public:
    PrivateXServer() = default;
    ~PrivateXServer();
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;

    // False when Xvfb is not installed or did not come up within a few seconds.
    bool Start();
    const std::string& DisplayName() const { return display_; }  // ":N"

  private:
    pid_t pid_ = -1;
    std::string display_;
};
