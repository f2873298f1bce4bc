#pragma once

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace windlecroft::test {

/**
 * A child process for end-to-end tests: started with arguments, extra environment and a
 * working folder; its output is collected in files. Killed when the object goes away.
 */
class Process {
public:
    struct Options {
        std::filesystem::path workingDir;
        std::map<std::string, std::string> environment; // set (or, with an empty value, unset)
    };

    Process(const std::vector<std::string>& command, const Options& options);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    /** Waits for the end; returns the exit status, or nothing when it is still running after timeout. */
    std::optional<int> wait(std::chrono::milliseconds timeout);
    bool running();
    void terminate();
    void kill();

    std::string output() const;
    std::string errors() const;
    /** The most memory the process (not its children) held resident, in KiB, once it has ended. */
    long peakResidentKb() const { return peakResidentKb_; }

private:
    int pid_ = -1;
    long peakResidentKb_ = 0;
    std::optional<int> status_;
    std::filesystem::path outFile_;
    std::filesystem::path errFile_;
};

/** Runs a command to its end (or kills it after timeout) and returns (status, stdout, stderr). */
struct RunResult {
    std::optional<int> status;
    std::string output;
    std::string errors;
    long peakResidentKb = 0;
};
RunResult runProcess(const std::vector<std::string>& command, const Process::Options& options,
                     std::chrono::milliseconds timeout = std::chrono::seconds(30));

/** Path of a program built by this project (next to the test binaries' build root). */
std::filesystem::path builtProgram(const std::string& name);

} // namespace windlecroft::test
