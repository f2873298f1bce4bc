#pragma once

#include "platform/Desktop.h"

#include <QTimer>

#include <memory>

namespace windlecroft {

class QtMainWindow;

/** The Qt 6 desktop shell: window, frame tick and message box. Runs on xcb and wayland alike. */
class QtDesktop final : public Desktop {
public:
    QtDesktop();
    ~QtDesktop() override;

    bool supportsLayered() const override { return layered_; }
    ScreenRect screenGeometry() const override;
    void createWindow(const std::string& title, int x, int y, int width, int height) override;
    void showWindow(ShowCommand command) override;
    void destroyWindow() override;
    int run(DesktopEvents& events) override;
    void postQuit(int code) override;
    void present(const Surface& frame) override;
    void setWindowShape(const Region& region) override;
    void clearWindowShape() override;
    void showError(const std::string& message) override;

private:
    bool layered_;
    DesktopEvents* events_ = nullptr;
    std::unique_ptr<QtMainWindow> window_;
    QTimer frameTimer_;
};

/** Makes Qt's fatal start-up errors (no display to connect to) end the process with status 1. */
void installQtFatalHandler();

} // namespace windlecroft
