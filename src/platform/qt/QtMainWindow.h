#pragma once

#include <QWidget>

namespace windlecroft {

class DesktopEvents;

/** The player's one borderless top-level window; it forwards its events to the core. */
class QtMainWindow final : public QWidget {
    Q_OBJECT

public:
    explicit QtMainWindow(DesktopEvents*& events);

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    DesktopEvents*& events_;
};

} // namespace windlecroft
