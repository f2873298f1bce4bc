#include "skin/Commands.h"

#include "skin/FolderWatcher.h"
#include "skin/PlayerProcess.h"
#include "skin/PrivateFolder.h"

#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace windlecroft::skin {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::string_view prefix = "windlecroft-skin: ";
// The player's own error lines are passed on marked as coming from it.
constexpr std::string_view playerPrefix = "windlecroft-skin: player: ";
// Editors write a file in several steps; a rebuild waits until the folder has been quiet this long.
constexpr std::chrono::milliseconds quietTime{200};

// SIGINT, SIGTERM and SIGCHLD arrive as readable data instead of interrupting; the previous
// mask comes back at the end.
class SignalDescriptor {
public:
    SignalDescriptor()
    {
        sigemptyset(&set_);
        for (const int signal : {SIGINT, SIGTERM, SIGCHLD})
            sigaddset(&set_, signal);
        ::sigprocmask(SIG_BLOCK, &set_, &previous_);
        fd_ = ::signalfd(-1, &set_, SFD_NONBLOCK | SFD_CLOEXEC);
        if (fd_ < 0) {
            ::sigprocmask(SIG_SETMASK, &previous_, nullptr);
            throw std::runtime_error(std::string("can't wait for signals: ") + std::strerror(errno));
        }
    }
    ~SignalDescriptor()
    {
        ::close(fd_);
        ::sigprocmask(SIG_SETMASK, &previous_, nullptr);
    }
    SignalDescriptor(const SignalDescriptor&) = delete;
    SignalDescriptor& operator=(const SignalDescriptor&) = delete;

    int descriptor() const { return fd_; }
    /** True when SIGINT or SIGTERM came. */
    bool readStop()
    {
        bool stop = false;
        signalfd_siginfo info{};
        while (::read(fd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info))
            stop = stop || info.ssi_signo == SIGINT || info.ssi_signo == SIGTERM;
        return stop;
    }

private:
    sigset_t set_{};
    sigset_t previous_{};
    int fd_ = -1;
};

class Preview {
public:
    Preview(std::filesystem::path source, std::filesystem::path player, std::vector<std::string> arguments, bool allowOutside,
            std::ostream& out, std::ostream& err)
        : source_(std::move(source)), player_(std::move(player)), arguments_(std::move(arguments)),
          allowOutside_(allowOutside), out_(out), err_(err), folder_("windlecroft-preview-"),
          watcher_(source_, folder_.path())
    {
    }

    int run();

private:
    void rebuild();
    void stopPlayer();
    void playerEnded();
    std::filesystem::path skinFolder(int build) const { return folder_.path() / ("skin-" + std::to_string(build)); }
    void say(const std::string& line) { out_ << prefix << line << std::endl; }

    std::filesystem::path source_;
    std::filesystem::path player_;
    std::vector<std::string> arguments_;
    bool allowOutside_;
    std::ostream& out_;
    std::ostream& err_;
    PrivateFolder folder_;
    SignalDescriptor signals_;
    FolderWatcher watcher_;
    std::unique_ptr<PlayerProcess> running_;
    int builds_ = 0;
    int runningBuild_ = 0;
};

void Preview::stopPlayer()
{
    if (!running_)
        return;
    running_->stop();
    running_->forwardErrors(err_, playerPrefix);
    running_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(skinFolder(runningBuild_), ignored);
}

void Preview::rebuild()
{
    const int build = ++builds_;
    say((build == 1 ? "building " : "rebuilding ") + source_.string());
    if (buildSkin(source_, skinFolder(build), allowOutside_, err_) != 0) {
        std::error_code ignored;
        std::filesystem::remove_all(skinFolder(build), ignored);
        say(std::string("the build failed, so the player was not started") +
            (running_ ? "; the last good build keeps running" : "") + ". Waiting for changes.");
        return;
    }
    stopPlayer();
    std::vector<std::string> arguments = arguments_;
    arguments.push_back(skinFolder(build).string());
    running_ = std::make_unique<PlayerProcess>(player_, arguments);
    runningBuild_ = build;
    say("started the player on " + skinFolder(build).string());
}

void Preview::playerEnded()
{
    if (!running_)
        return;
    const std::optional<int> status = running_->status();
    if (!status)
        return;
    running_->forwardErrors(err_, playerPrefix);
    say("the player ended with status " + std::to_string(*status) + ". Waiting for changes.");
    running_.reset();
}

int Preview::run()
{
    rebuild();
    bool changed = false;
    Clock::time_point lastChange{};
    for (;;) {
        int timeout = -1;
        if (changed) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(lastChange + quietTime - Clock::now());
            timeout = static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
        }
        pollfd fds[3] = {{signals_.descriptor(), POLLIN, 0}, {watcher_.descriptor(), POLLIN, 0}, {-1, POLLIN, 0}};
        if (running_)
            fds[2].fd = running_->errorDescriptor();
        if (::poll(fds, 3, timeout) < 0 && errno != EINTR)
            throw std::runtime_error(std::string("can't wait for changes: ") + std::strerror(errno));
        if (fds[0].revents != 0 && signals_.readStop())
            break;
        if (fds[2].revents != 0 && running_)
            running_->forwardErrors(err_, playerPrefix);
        playerEnded();
        if (fds[1].revents != 0 && watcher_.readChanges()) {
            changed = true;
            lastChange = Clock::now();
        }
        if (changed && Clock::now() - lastChange >= quietTime) {
            changed = false;
            rebuild();
        }
    }
    stopPlayer();
    say("stopped");
    return 0;
}

} // namespace

int previewSkin(const std::filesystem::path& sourceFolder, const std::vector<std::string>& playerArguments, bool allowOutside,
                std::ostream& out, std::ostream& err)
{
    std::error_code error;
    if (!std::filesystem::is_directory(sourceFolder, error)) {
        err << prefix << sourceFolder.string() << " is no folder\n";
        return 1;
    }
    const std::optional<std::filesystem::path> player = findPlayer();
    if (!player) {
        err << prefix << "can't find the player: no windlecroft beside this program nor on PATH\n";
        return 1;
    }
    Preview preview(sourceFolder, *player, playerArguments, allowOutside, out, err);
    return preview.run();
}

} // namespace windlecroft::skin
