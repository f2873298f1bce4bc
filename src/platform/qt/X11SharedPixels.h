#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

struct xcb_connection_t;

namespace windlecroft {

/**
 * Memory the X server reads pictures from (MIT-SHM, the segment passed as a file descriptor),
 * so a frame's pixels cross to the server without being written into its socket. The memory is
 * split into slots used in turn, one per frame. Every few frames the server is asked a small
 * question (GetInputFocus): once it has answered, it has read every picture sent before the
 * question. A slot is written again only when its last picture is among those; until then it
 * is not handed out and the caller sends that frame through the socket, so a frame is never
 * written over pixels the server may still be reading. With one question per slotCount - 1
 * frames, each asked a frame or more before its answer is needed, the answer is normally there
 * in time, and the server's answers wake the program a third as often as one per frame would.
 * Nothing is attached on a display that cannot share memory (a remote one, say).
 */
class X11SharedPixels {
public:
    static constexpr std::size_t slotBytes = 256 * 1024;
    static constexpr std::size_t slotCount = 4;

    explicit X11SharedPixels(xcb_connection_t* connection);
    ~X11SharedPixels();
    X11SharedPixels(const X11SharedPixels&) = delete;
    X11SharedPixels& operator=(const X11SharedPixels&) = delete;

    bool attached() const { return segment_ != 0; }
    std::uint32_t segment() const { return segment_; }

    struct Space {
        std::uint8_t* bytes;
        std::uint32_t offset; // from the start of the segment, as the server takes it
    };
    /** Room for bytes in this frame's slot; none when it is still being read or already full. */
    std::optional<Space> take(std::size_t bytes);
    /** Notes the request that reads the space taken last. */
    void readBy(unsigned int request) { lastPut_ = request; }
    /** Ends the frame: when its slot was used, the next slot is this frame's. */
    void endFrame();

private:
    void takeAnswer();
    bool slotFree(std::size_t slot) const;

    xcb_connection_t* connection_;
    std::uint32_t segment_ = 0;
    std::uint8_t* memory_ = nullptr;
    // The sequence number of the last request that read each slot; none while never used.
    std::array<std::optional<unsigned int>, slotCount> lastRead_{};
    std::optional<unsigned int> question_; // asked and not yet answered
    std::optional<unsigned int> answered_; // requests up to this one have been carried out
    std::size_t framesSinceQuestion_ = 0;
    std::size_t current_ = 0;
    std::size_t used_ = 0; // bytes taken in the current slot this frame
    std::optional<unsigned int> lastPut_;
    bool frameOpen_ = false; // the current slot has been checked free for this frame
    bool currentFree_ = false;
};

} // namespace windlecroft
