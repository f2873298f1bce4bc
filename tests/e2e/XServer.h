#pragma once

#include "support/Process.h"

#include <memory>
#include <optional>
#include <string>

namespace windlecroft::test {

/** A private Xvfb display for one test, stopped at the end of it. */
class XServer {
public:
    explicit XServer(int width = 1024, int height = 768);
    ~XServer();

    bool ready() const { return ready_; }
    const std::string& display() const { return display_; }
    /** Points Qt applications started from now on in this process at this display, over xcb. */
    void pointQtHere() const;

    /** Runs a command against this display to its end; returns its standard output. */
    std::optional<std::string> query(const std::vector<std::string>& command) const;

    /** Polls xdotool until a window with this exact name is mapped; returns its id. */
    std::optional<std::string> waitForWindow(const std::string& name, int timeoutMs = 10000) const;

    struct Geometry {
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
    };
    std::optional<Geometry> geometry(const std::string& windowId) const;

private:
    std::string display_;
    std::unique_ptr<Process> server_;
    bool ready_ = false;
};

} // namespace windlecroft::test
