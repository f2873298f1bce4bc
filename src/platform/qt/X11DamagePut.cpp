#include "platform/qt/X11DamagePut.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>

namespace windlecroft {

X11DamagePut::X11DamagePut(QWidget& window) : window_(window) {}

X11DamagePut::~X11DamagePut()
{
    if (gc_ != 0)
        xcb_free_gc(connection_, gc_);
}

// The window's native id, depth and a graphics context, looked up once the window exists.
bool X11DamagePut::prepare()
{
    checked_ = true;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return false;
    connection_ = x11->connection();
    target_ = static_cast<std::uint32_t>(window_.winId());
    xcb_get_geometry_reply_t* geometry = xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, target_), nullptr);
    if (!geometry)
        return false;
    depth_ = geometry->depth;
    std::free(geometry);
    if (depth_ != 24 && depth_ != 32)
        return false;
    // The request's header and fixed part take 24 bytes of its length (in 4-byte units).
    maxRequestBytes_ = std::min<std::uint32_t>(xcb_get_maximum_request_length(connection_), 1u << 20) * 4u - 24u;
    gc_ = xcb_generate_id(connection_);
    xcb_create_gc(connection_, gc_, target_, 0, nullptr);
    return true;
}

void X11DamagePut::rescale()
{
    unscaled_ = window_.devicePixelRatioF() == 1.0;
}

bool X11DamagePut::usable()
{
    if (!window_.isVisible() || !window_.testAttribute(Qt::WA_WState_Created))
        return false;
    if (!unscaled_)
        rescale();
    if (!*unscaled_)
        return false;
    if (!checked_)
        prepare();
    return gc_ != 0 && static_cast<std::uint32_t>(window_.winId()) == target_;
}

bool X11DamagePut::put(const QImage& image, const QRect& area)
{
    const QRect part = area.intersected(image.rect());
    if (part.isEmpty())
        return true;
    const auto width = static_cast<std::uint32_t>(part.width());
    if (width * 4u > maxRequestBytes_)
        return false;
    const std::uint32_t bandRows = maxRequestBytes_ / (width * 4u);
    for (int top = part.top(); top <= part.bottom(); top += static_cast<int>(bandRows)) {
        const int rows = std::min(static_cast<int>(bandRows), part.bottom() + 1 - top);
        // PutImage takes rows back to back; the image's rows are longer than the area's.
        rows_.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(rows));
        for (int y = 0; y < rows; ++y) {
            const auto* from = reinterpret_cast<const std::uint32_t*>(image.constScanLine(top + y)) + part.left();
            std::copy(from, from + width, rows_.begin() + static_cast<std::ptrdiff_t>(y) * width);
        }
        xcb_put_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, target_, gc_, static_cast<std::uint16_t>(width),
                      static_cast<std::uint16_t>(rows), static_cast<std::int16_t>(part.left()),
                      static_cast<std::int16_t>(top), 0, depth_,
                      static_cast<std::uint32_t>(rows_.size() * sizeof(std::uint32_t)),
                      reinterpret_cast<const std::uint8_t*>(rows_.data()));
    }
    unsent_ = true;
    return true;
}

void X11DamagePut::finish()
{
    if (unsent_)
        xcb_flush(connection_);
    unsent_ = false;
}

} // namespace windlecroft
