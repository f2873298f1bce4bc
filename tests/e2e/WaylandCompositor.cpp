#include "WaylandCompositor.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

namespace windlecroft::test {

namespace {

const std::string socketName = "wayland-windlecroft-test";

bool onPath(const std::string& program)
{
    const RunResult found = runProcess({"sh", "-c", "command -v " + program}, {});
    return found.status == 0;
}

} // namespace

std::optional<std::string> WaylandCompositor::missing()
{
    if (!onPath("weston") || !onPath("weston-screenshooter"))
        return "weston is not installed (Debian package weston)";
    if (!std::filesystem::exists(std::filesystem::path(QT_PLATFORM_PLUGIN_DIR) / "libqwayland-generic.so"))
        return "Qt's Wayland platform plugin is not installed (Debian package qt6-wayland)";
    return std::nullopt;
}

// The pixman renderer draws into memory, which the screenshooter reads; the screenshooter is
// offered to clients only with --debug. The runtime folder is made private (0700), as the
// Wayland libraries ask of XDG_RUNTIME_DIR.
WaylandCompositor::WaylandCompositor(int width, int height, std::uint32_t background)
{
    const std::filesystem::path config = runtime_ / "weston.ini";
    {
        char colour[16];
        std::snprintf(colour, sizeof colour, "0xff%06x", background & 0xFFFFFFu);
        std::ofstream out(config);
        out << "[core]\nidle-time=0\n[shell]\nbackground-image=\nbackground-color=" << colour
            << "\npanel-position=none\n";
    }
    Process::Options options;
    options.environment = {{"XDG_RUNTIME_DIR", runtime_.path().string()}, {"WAYLAND_DISPLAY", ""}, {"DISPLAY", ""}};
    server_ = std::make_unique<Process>(
        std::vector<std::string>{"weston", "--backend=headless-backend.so", "--use-pixman", "--socket=" + socketName,
                                 "--idle-time=0", "--debug", "--width=" + std::to_string(width),
                                 "--height=" + std::to_string(height), "--config=" + config.string()},
        options);
    // The background is drawn by the shell's own client a moment after the socket appears.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline && server_->running()) {
        if (std::filesystem::exists(runtime_ / socketName)) {
            const ScreenCapture shot = screenshot();
            if (shot.valid() && shot.pixel(width / 2, height / 2) == (background & 0xFFFFFFu)) {
                ready_ = true;
                return;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

WaylandCompositor::~WaylandCompositor()
{
    server_->terminate();
    if (!server_->wait(std::chrono::seconds(5)))
        server_->kill();
}

Process::Options WaylandCompositor::clientOptions() const
{
    Process::Options options;
    options.environment = {{"XDG_RUNTIME_DIR", runtime_.path().string()},
                           {"WAYLAND_DISPLAY", socketName},
                           {"QT_QPA_PLATFORM", "wayland"},
                           {"DISPLAY", ""},
                           {"DBUS_SESSION_BUS_ADDRESS", ""}};
    return options;
}

// The screenshooter names its file after the time; each shot is read and removed at once.
ScreenCapture WaylandCompositor::screenshot() const
{
    Process::Options options = clientOptions();
    options.workingDir = shots_.path();
    const RunResult shot = runProcess({"weston-screenshooter"}, options, std::chrono::seconds(10));
    std::optional<std::filesystem::path> file;
    for (const auto& entry : std::filesystem::directory_iterator(shots_.path()))
        file = entry.path();
    if (shot.status != 0 || !file)
        return ScreenCapture(std::filesystem::path{});
    ScreenCapture capture(*file);
    std::filesystem::remove(*file);
    return capture;
}

std::string WaylandCompositor::log() const
{
    return server_->output() + server_->errors();
}

} // namespace windlecroft::test
