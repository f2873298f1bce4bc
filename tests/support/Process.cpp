#include "Process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace windlecroft::test {

namespace {

std::filesystem::path uniqueOutputPath(const char* kind)
{
    static std::atomic<int> counter{0};
    return std::filesystem::temp_directory_path()
        / ("windlecroft-proc-" + std::to_string(getpid()) + "-" + std::to_string(counter++) + "." + kind);
}

std::string readAll(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

int decodeStatus(int raw)
{
    if (WIFEXITED(raw))
        return WEXITSTATUS(raw);
    if (WIFSIGNALED(raw))
        return 128 + WTERMSIG(raw);
    return -1;
}

} // namespace

Process::Process(const std::vector<std::string>& command, const Options& options)
    : outFile_(uniqueOutputPath("out")), errFile_(uniqueOutputPath("err"))
{
    pid_ = fork();
    if (pid_ < 0)
        throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        setpgid(0, 0);
        int out = open(outFile_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = open(errFile_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int in = open("/dev/null", O_RDONLY);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        if (!options.workingDir.empty() && chdir(options.workingDir.c_str()) != 0)
            _exit(126);
        for (const auto& [name, value] : options.environment) {
            if (value.empty())
                unsetenv(name.c_str());
            else
                setenv(name.c_str(), value.c_str(), 1);
        }
        std::vector<char*> argv;
        for (const auto& arg : command)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
}

Process::~Process()
{
    if (running())
        kill();
    std::error_code ignored;
    std::filesystem::remove(outFile_, ignored);
    std::filesystem::remove(errFile_, ignored);
}

bool Process::running()
{
    if (status_)
        return false;
    int raw = 0;
    struct rusage usage {};
    if (wait4(pid_, &raw, WNOHANG, &usage) == pid_) {
        status_ = decodeStatus(raw);
        peakResidentKb_ = usage.ru_maxrss;
        return false;
    }
    return true;
}

std::optional<int> Process::wait(std::chrono::milliseconds timeout)
{
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (running()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return status_;
}

void Process::terminate()
{
    if (running())
        ::kill(-pid_, SIGTERM);
}

void Process::kill()
{
    if (!running())
        return;
    ::kill(-pid_, SIGKILL);
    int raw = 0;
    struct rusage usage {};
    wait4(pid_, &raw, 0, &usage);
    status_ = decodeStatus(raw);
    peakResidentKb_ = usage.ru_maxrss;
}

std::string Process::output() const { return readAll(outFile_); }
std::string Process::errors() const { return readAll(errFile_); }

RunResult runProcess(const std::vector<std::string>& command, const Process::Options& options,
                     std::chrono::milliseconds timeout)
{
    Process process(command, options);
    RunResult result;
    result.status = process.wait(timeout);
    if (!result.status)
        process.kill();
    result.output = process.output();
    result.errors = process.errors();
    result.peakResidentKb = process.peakResidentKb();
    return result;
}

std::filesystem::path builtProgram(const std::string& name)
{
    return std::filesystem::path(WINDLECROFT_BUILD_DIR) / name;
}

} // namespace windlecroft::test
