#pragma once

#include "app/RemoteControl.h"
#include "app/RemoteState.h"

#include <QObject>

#include <iosfwd>
#include <memory>

namespace windlecroft {

class MprisPlayerAdaptor;

/**
 * The player on the session bus as a media player: the object /org/mpris/MediaPlayer2 with its
 * root and player interfaces under the name org.mpris.MediaPlayer2.windlecroft, which media
 * keys, sound menus and tools like playerctl talk to. State changes are signalled with
 * PropertiesChanged and jumps with Seeked; nothing is sent while nothing changes.
 */
class QtMediaRemote final : public RemoteControl {
public:
    static constexpr const char* serviceName = "org.mpris.MediaPlayer2.windlecroft";
    static constexpr const char* objectPath = "/org/mpris/MediaPlayer2";

    /** diagnostics receives the one line that says why the bus could not be used. */
    explicit QtMediaRemote(std::ostream& diagnostics);
    ~QtMediaRemote() override;
    QtMediaRemote(const QtMediaRemote&) = delete;
    QtMediaRemote& operator=(const QtMediaRemote&) = delete;

    bool offer(RemoteCommands& commands, const RemoteState& state) override;
    void withdraw() override;
    void publish(const RemoteState& state) override;
    void seeked(std::int64_t positionMicroseconds) override;

private:
    std::ostream& diagnostics_;
    RemoteState state_;
    // The exported object; the adaptors are its children.
    std::unique_ptr<QObject> object_;
    MprisPlayerAdaptor* player_ = nullptr;
};

} // namespace windlecroft
