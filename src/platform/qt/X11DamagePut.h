#pragma once

#include <QImage>
#include <QRect>

#include <cstdint>
#include <optional>
#include <vector>

class QWidget;
struct xcb_connection_t;

namespace windlecroft {

/**
 * Puts changed rectangles of a window's frame straight into the X11 window, one PutImage
 * request each. The widget repaint it stands in for costs a round trip to the server and two
 * more wake-ups per frame, which is most of what a live frame of a small rectangle costs. A
 * frame's requests leave together at finish(), so the server is woken once a frame. Usable
 * only on X11, at a device-pixel ratio of 1, for windows of depth 24 or 32.
 */
class X11DamagePut {
public:
    explicit X11DamagePut(QWidget& window);
    ~X11DamagePut();
    X11DamagePut(const X11DamagePut&) = delete;
    X11DamagePut& operator=(const X11DamagePut&) = delete;

    /** Whether put() can show the window's frame now. */
    bool usable();
    /** Reads the window's device-pixel ratio again (it changes only with its screen). */
    void rescale();
    /**
     * Sends area of image (32-bit pixels, window coordinates) to the window; false, and nothing
     * sent, when one of its rows alone is longer than a request may be.
     */
    bool put(const QImage& image, const QRect& area);
    /** Sends what this frame's put() calls asked for. */
    void finish();

private:
    bool prepare();

    QWidget& window_;
    xcb_connection_t* connection_ = nullptr;
    std::uint32_t target_ = 0;
    std::uint32_t gc_ = 0;
    std::uint8_t depth_ = 0;
    // Rows per request, so that a request stays within the server's maximum length.
    std::uint32_t maxRequestBytes_ = 0;
    bool checked_ = false;
    std::optional<bool> unscaled_;
    std::vector<std::uint32_t> rows_;
    bool unsent_ = false;
};

} // namespace windlecroft
