#include "platform/qt/X11SharedPixels.h"

#include <xcb/shm.h>
#include <xcb/xcb.h>
#include <xcb/xcbext.h>

#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>

namespace windlecroft {

namespace {

constexpr std::size_t segmentBytes = X11SharedPixels::slotBytes * X11SharedPixels::slotCount;

bool passesDescriptors(xcb_connection_t* connection)
{
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_shm_id);
    if (!extension || !extension->present)
        return false;
    xcb_shm_query_version_reply_t* version = xcb_shm_query_version_reply(connection, xcb_shm_query_version(connection), nullptr);
    const bool passes = version && (version->major_version > 1 || (version->major_version == 1 && version->minor_version >= 2));
    std::free(version);
    return passes;
}

} // namespace

X11SharedPixels::X11SharedPixels(xcb_connection_t* connection) : connection_(connection)
{
    if (!passesDescriptors(connection_))
        return;
    const int descriptor = memfd_create("windlecroft-frame", MFD_CLOEXEC);
    if (descriptor < 0)
        return;
    void* memory = MAP_FAILED;
    if (ftruncate(descriptor, static_cast<off_t>(segmentBytes)) == 0)
        memory = mmap(nullptr, segmentBytes, PROT_READ | PROT_WRITE, MAP_SHARED, descriptor, 0);
    if (memory == MAP_FAILED) {
        close(descriptor);
        return;
    }
    // The connection closes the descriptor once it has sent it; the mapping stays.
    const std::uint32_t segment = xcb_generate_id(connection_);
    if (xcb_generic_error_t* error = xcb_request_check(connection_, xcb_shm_attach_fd_checked(connection_, segment, descriptor, 1))) {
        std::free(error);
        munmap(memory, segmentBytes);
        return;
    }
    segment_ = segment;
    memory_ = static_cast<std::uint8_t*>(memory);
}

X11SharedPixels::~X11SharedPixels()
{
    if (!attached())
        return;
    if (question_)
        xcb_discard_reply(connection_, *question_);
    xcb_shm_detach(connection_, segment_);
    xcb_flush(connection_);
    munmap(memory_, segmentBytes);
}

void X11SharedPixels::takeAnswer()
{
    if (!question_)
        return;
    void* reply = nullptr;
    xcb_generic_error_t* error = nullptr;
    if (xcb_poll_for_reply(connection_, *question_, &reply, &error) == 0)
        return;
    std::free(reply);
    std::free(error);
    answered_ = question_;
    question_.reset();
}

// Sequence numbers wrap at 2^32; two within half of that are compared by their difference.
bool X11SharedPixels::slotFree(std::size_t slot) const
{
    if (!lastRead_[slot])
        return true;
    return answered_ && static_cast<std::int32_t>(*answered_ - *lastRead_[slot]) >= 0;
}

std::optional<X11SharedPixels::Space> X11SharedPixels::take(std::size_t bytes)
{
    if (!attached() || bytes > slotBytes)
        return std::nullopt;
    if (!frameOpen_) {
        frameOpen_ = true;
        used_ = 0;
        takeAnswer();
        currentFree_ = slotFree(current_);
    }
    if (!currentFree_ || used_ + bytes > slotBytes)
        return std::nullopt;
    const std::size_t offset = current_ * slotBytes + used_;
    used_ += (bytes + 3) & ~std::size_t{3};
    return Space{memory_ + offset, static_cast<std::uint32_t>(offset)};
}

void X11SharedPixels::endFrame()
{
    if (frameOpen_ && used_ > 0 && lastPut_) {
        lastRead_[current_] = lastPut_;
        current_ = (current_ + 1) % slotCount;
        if (++framesSinceQuestion_ >= slotCount - 1 && !question_) {
            question_ = xcb_get_input_focus(connection_).sequence;
            framesSinceQuestion_ = 0;
        }
    }
    frameOpen_ = false;
    used_ = 0;
    lastPut_.reset();
}

} // namespace windlecroft
