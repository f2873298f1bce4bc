#include "skin/PlayerProcess.h"

#include "skin/ProgramFolder.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <thread>

namespace windlecroft::skin {

namespace {

bool executable(const std::filesystem::path& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) && ::access(path.c_str(), X_OK) == 0;
}

int decodeStatus(int raw)
{
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : WIFSIGNALED(raw) ? 128 + WTERMSIG(raw) : -1;
}

} // namespace

std::optional<std::filesystem::path> findPlayer()
{
    const std::filesystem::path folder = programFolder();
    if (!folder.empty() && executable(folder / "windlecroft"))
        return folder / "windlecroft";
    const char* path = std::getenv("PATH");
    std::string_view rest = path ? path : "";
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        const std::string_view entry = rest.substr(0, colon);
        if (!entry.empty() && executable(std::filesystem::path(entry) / "windlecroft"))
            return std::filesystem::path(entry) / "windlecroft";
        rest = colon == std::string_view::npos ? std::string_view{} : rest.substr(colon + 1);
    }
    return std::nullopt;
}

PlayerProcess::PlayerProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments)
{
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0)
        throw std::runtime_error(std::string("can't start the player: ") + std::strerror(errno));
    // Everything the child needs is made before the fork: it only calls async-signal-safe functions.
    std::vector<std::string> words{program.string()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    const pid_t parent = ::getpid();

    pid_ = ::fork();
    if (pid_ < 0) {
        const int error = errno;
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        throw std::runtime_error(std::string("can't start the player: ") + std::strerror(error));
    }
    if (pid_ == 0) {
        ::setpgid(0, 0);
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent)
            ::_exit(1);
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        ::dup2(pipeEnds[1], STDERR_FILENO);
        ::execv(argv[0], argv.data());
        const char message[] = "can't run the player\n";
        [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, message, sizeof message - 1);
        ::_exit(127);
    }
    ::close(pipeEnds[1]);
    errors_ = pipeEnds[0];
    ::fcntl(errors_, F_SETFL, ::fcntl(errors_, F_GETFL) | O_NONBLOCK);
}

PlayerProcess::~PlayerProcess()
{
    stop();
    if (errors_ >= 0)
        ::close(errors_);
}

void PlayerProcess::forwardErrors(std::ostream& err, std::string_view prefix)
{
    if (errors_ < 0)
        return;
    char buffer[4096];
    ssize_t length = 0;
    while ((length = ::read(errors_, buffer, sizeof buffer)) > 0) {
        partial_.append(buffer, static_cast<std::size_t>(length));
        for (std::size_t end = partial_.find('\n'); end != std::string::npos; end = partial_.find('\n')) {
            err << prefix << std::string_view(partial_).substr(0, end) << '\n';
            partial_.erase(0, end + 1);
        }
    }
    if (length == 0 || (length < 0 && errno != EAGAIN && errno != EINTR)) {
        // The player closed its end: the rest is one last line.
        if (!partial_.empty())
            err << prefix << partial_ << '\n';
        partial_.clear();
        ::close(errors_);
        errors_ = -1;
    }
    err.flush();
}

std::optional<int> PlayerProcess::status()
{
    if (!status_ && pid_ > 0) {
        int raw = 0;
        if (::waitpid(pid_, &raw, WNOHANG) == pid_)
            status_ = decodeStatus(raw);
    }
    return status_;
}

void PlayerProcess::stop()
{
    if (pid_ <= 0 || status())
        return;
    ::kill(pid_, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (!status() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!status()) {
        ::kill(pid_, SIGKILL);
        int raw = 0;
        if (::waitpid(pid_, &raw, 0) == pid_)
            status_ = decodeStatus(raw);
    }
}

} // namespace windlecroft::skin
