#pragma once

#include "ScreenCapture.h"
#include "support/Process.h"
#include "support/TempDir.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace windlecroft::test {

/**
 * A private headless weston for one test: its own runtime folder, a plain background of one
 * colour and no panel, and screenshots through weston's screenshooter. Stopped at the end.
 */
class WaylandCompositor {
public:
    WaylandCompositor(int width, int height, std::uint32_t background);
    ~WaylandCompositor();

    /** What this machine lacks to run a Qt program on weston, or nothing when it has it all. */
    static std::optional<std::string> missing();

    /** True once the compositor takes clients and shows its background. */
    bool ready() const { return ready_; }
    /** The environment of a Qt program that is to show its windows here. */
    Process::Options clientOptions() const;
    /** The whole output as the compositor shows it; invalid when the screenshot failed. */
    ScreenCapture screenshot() const;
    /** What weston wrote on stdout and stderr, for failure messages. */
    std::string log() const;

private:
    TempDir runtime_;
    TempDir shots_;
    std::unique_ptr<Process> server_;
    bool ready_ = false;
};

} // namespace windlecroft::test
