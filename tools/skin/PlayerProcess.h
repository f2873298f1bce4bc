#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace windlecroft::skin {

/**
 * The player run by preview: a child process in its own process group, so that a Ctrl-C at
 * the terminal reaches preview, which then stops it; it is also ended when preview dies. What
 * it writes on its error stream comes through a pipe, so that preview can mark each line as
 * its own.
 */
class PlayerProcess {
public:
    /** Starts program with arguments; throws std::runtime_error when no process can be made. */
    PlayerProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments);
    /** Stops the player when it still runs. */
    ~PlayerProcess();
    PlayerProcess(const PlayerProcess&) = delete;
    PlayerProcess& operator=(const PlayerProcess&) = delete;

    /** The read end of the player's error stream, or -1 once it has ended. */
    int errorDescriptor() const { return errors_; }
    /** Writes every whole line the player wrote on its error stream (all of it at its end) to err, each after prefix. */
    void forwardErrors(std::ostream& err, std::string_view prefix);
    /** The exit status once the player has ended (128 + the signal when a signal ended it). */
    std::optional<int> status();
    /** Asks the player to end (SIGTERM), ends it (SIGKILL) when it is still there after a while, and waits for it. */
    void stop();

private:
    int pid_ = -1;
    int errors_ = -1;
    std::string partial_;
    std::optional<int> status_;
};

/** The player program: windlecroft beside this program, or else on PATH; nothing when there is none. */
std::optional<std::filesystem::path> findPlayer();

} // namespace windlecroft::skin
