// Prints when the first top-level window of the X display is mapped, on the monotonic clock in
// nanoseconds, so that a start-up time can be measured the same way for any program: the
// watcher says "ready" once it listens, the caller notes the time and starts the program.
#include <xcb/xcb.h>

#include <cstdio>
#include <ctime>
#include <memory>

namespace {

long long monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

} // namespace

int main()
{
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "map-watcher: can't open the display\n");
        return 1;
    }
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    // The round trip makes sure the server applies the mask before the caller starts anything.
    free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    std::printf("ready\n");
    std::fflush(stdout);
    while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
        const std::unique_ptr<xcb_generic_event_t, decltype(&free)> owned(event, &free);
        if ((event->response_type & 0x7F) != XCB_MAP_NOTIFY)
            continue;
        // Menus and tooltips bypass the window manager; the program's window does not.
        const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event);
        if (map->override_redirect)
            continue;
        std::printf("%lld\n", monotonicNanoseconds());
        std::fflush(stdout);
        break;
    }
    xcb_disconnect(connection);
    return 0;
}
