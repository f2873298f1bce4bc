#include "XServer.h"

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <thread>

namespace windlecroft::test {

// Xvfb picks a free display itself and writes its number on standard output once it takes
// connections. Test programs of several build folders run side by side; a number chosen here
// could be taken by another one's server between the choice and the start. Without -noreset
// the server resets whenever its last client leaves, and a program connecting just then (the
// player, after a probe with xdpyinfo) is turned away.
XServer::XServer(int width, int height)
{
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    server_ = std::make_unique<Process>(
        std::vector<std::string>{"Xvfb", "-displayfd", "1", "-screen", "0", screen, "-nolisten", "tcp", "-wr", "-noreset"},
        Process::Options{});
    for (int i = 0; i < 500 && server_->running(); ++i) {
        const std::string announced = server_->output();
        if (!announced.empty() && announced.back() == '\n') {
            display_ = ":" + announced.substr(0, announced.size() - 1);
            ready_ = query({"xdpyinfo"}).has_value();
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

XServer::~XServer()
{
    if (server_)
        server_->terminate();
    if (server_ && !server_->wait(std::chrono::seconds(5)))
        server_->kill();
}

void XServer::pointQtHere() const
{
    setenv("DISPLAY", display_.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    unsetenv("WAYLAND_DISPLAY");
}

std::optional<std::string> XServer::query(const std::vector<std::string>& command) const
{
    Process::Options options;
    options.environment["DISPLAY"] = display_;
    RunResult result = runProcess(command, options, std::chrono::seconds(10));
    if (result.status != 0)
        return std::nullopt;
    return result.output;
}

std::optional<std::string> XServer::waitForWindow(const std::string& name, int timeoutMs) const
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        if (auto found = query({"xdotool", "search", "--onlyvisible", "--name", "^" + name + "$"})) {
            std::istringstream lines(*found);
            std::string id;
            if (lines >> id)
                return id;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return std::nullopt;
}

std::optional<XServer::Geometry> XServer::geometry(const std::string& windowId) const
{
    auto text = query({"xdotool", "getwindowgeometry", "--shell", windowId});
    if (!text)
        return std::nullopt;
    Geometry geometry;
    std::istringstream lines(*text);
    std::string line;
    while (std::getline(lines, line)) {
        auto equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        const std::string key = line.substr(0, equals);
        const int value = std::stoi(line.substr(equals + 1));
        if (key == "X")
            geometry.x = value;
        else if (key == "Y")
            geometry.y = value;
        else if (key == "WIDTH")
            geometry.width = value;
        else if (key == "HEIGHT")
            geometry.height = value;
    }
    return geometry;
}

} // namespace windlecroft::test
