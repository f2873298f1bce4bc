#include "app/RemoteBridge.h"

#include "app/RemoteControl.h"
#include "app/SceneDirector.h"
#include "app/Skin.h"
#include "app/TrackScenes.h"
#include "app/TrayIcon.h"
#include "audio/PlaylistFile.h"
#include "audio/Player.h"
#include "base/ActionCode.h"
#include "base/ActionQueue.h"
#include "base/TextEncoding.h"

#include <algorithm>
#include <cmath>
#include <system_error>

namespace windlecroft {

namespace {

std::int64_t microseconds(double seconds)
{
    if (!std::isfinite(seconds) || seconds <= 0.0)
        return 0;
    return std::llround(std::min(seconds, 1e12) * 1e6);
}

} // namespace

RemoteBridge::RemoteBridge(Parts parts) : parts_(parts) {}

void RemoteBridge::start(RemoteCommands& commands)
{
    if (!remote_ || offered_)
        return;
    const StringMapping& mapping = parts_.skin.stringMapping();
    if (parts_.skin.page(scene::outro)) {
        for (std::uint16_t index = 0; index < mapping.count() && !outroMapping_; ++index) {
            if (mapping.lookup(index) == scene::outro)
                outroMapping_ = index;
        }
    }
    // The playlist is fixed once the skin is loaded: whether there is an entry to move to is too.
    const Tracklist& playlist = parts_.player.playlist();
    bool playable = false;
    for (int position = 0; position < playlist.count() && !playable; ++position)
        playable = !playlist.isPlaceholder(position);
    state_.canGoNext = state_.canGoPrevious = playable;
    refresh();
    jumps_ = parts_.player.jumpCount();
    offered_ = remote_->offer(commands, state_);
}

void RemoteBridge::stop()
{
    if (offered_)
        remote_->withdraw();
    offered_ = false;
}

RemotePlayback RemoteBridge::playback() const
{
    switch (parts_.player.mainState()) {
    case ChannelState::Playing:
    case ChannelState::Stalled: return RemotePlayback::Playing;
    case ChannelState::Paused: return RemotePlayback::Paused;
    case ChannelState::Stopped: break;
    }
    return RemotePlayback::Stopped;
}

std::int64_t RemoteBridge::position() const
{
    return playback() == RemotePlayback::Stopped ? 0 : microseconds(parts_.player.mainSeconds());
}

void RemoteBridge::command(RemoteCommand command)
{
    ActionQueue& actions = parts_.actions;
    const RemotePlayback now = playback();
    switch (command) {
    case RemoteCommand::PlayPause:
        actions.post(now == RemotePlayback::Stopped ? ActionCode::PlayCurrent : ActionCode::TogglePause, 0);
        break;
    case RemoteCommand::Play: actions.post(ActionCode::PlayCurrent, 0); break;
    case RemoteCommand::Pause:
        // The skin's pause button toggles; a remote's pause never resumes.
        if (now == RemotePlayback::Playing)
            actions.post(ActionCode::TogglePause, 0);
        break;
    case RemoteCommand::Stop: actions.post(ActionCode::StopMain, 0); break;
    case RemoteCommand::Next: actions.post(ActionCode::PlayNext, 0); break;
    case RemoteCommand::Previous: actions.post(ActionCode::PlayPrevious, 0); break;
    case RemoteCommand::Raise: actions.post(ActionCode::RestoreFromTray, 0); break;
    case RemoteCommand::Quit: quit(); break;
    }
}

// The skin's way out is a switch to its outro page, which ends the player when it is done. A
// window in the tray, a skin without an outro or a second request quit at once, as the tray
// menu's quit does.
void RemoteBridge::quit()
{
    const bool leaving = parts_.scenes.currentScene() == scene::outro || parts_.scenes.nextScene() == scene::outro;
    if (outroMapping_ && !leaving && !parts_.tray.shown())
        parts_.actions.post(ActionCode::SwitchPage, *outroMapping_);
    else
        parts_.actions.post(ActionCode::Quit, 0);
}

void RemoteBridge::seek(std::int64_t offsetMicroseconds)
{
    if (playback() == RemotePlayback::Stopped)
        return;
    const double target = parts_.player.mainSeconds() + static_cast<double>(offsetMicroseconds) / 1e6;
    if (target >= parts_.player.mainLengthSeconds()) {
        parts_.actions.post(ActionCode::PlayNext, 0);
        return;
    }
    seekTo(std::max(0.0, target));
}

void RemoteBridge::setPosition(int track, std::int64_t positionMicroseconds)
{
    if (track != parts_.player.currentIndex() || playback() == RemotePlayback::Stopped || positionMicroseconds < 0)
        return;
    const double seconds = static_cast<double>(positionMicroseconds) / 1e6;
    if (seconds <= parts_.player.mainLengthSeconds())
        seekTo(seconds);
}

// The seek-to action carries whole seconds, never beyond the track's last one.
void RemoteBridge::seekTo(double seconds)
{
    const double last = std::floor(parts_.player.mainLengthSeconds());
    const double second = std::clamp(std::round(seconds), 0.0, std::min(last, 65535.0));
    parts_.actions.post(ActionCode::SeekTo, static_cast<std::uint16_t>(second));
}

void RemoteBridge::setVolume(double volume)
{
    if (std::isnan(volume))
        return;
    const long percent = std::lround(std::clamp(volume, 0.0, 1.0) * 100.0);
    parts_.actions.post(ActionCode::SetMainVolume, static_cast<std::uint16_t>(percent));
}

void RemoteBridge::update()
{
    if (!offered_)
        return;
    if (refresh())
        remote_->publish(state_);
    if (const std::uint32_t jumps = parts_.player.jumpCount(); jumps != jumps_) {
        jumps_ = jumps;
        remote_->seeked(position());
    }
}

// Compares field by field, so that a frame in which nothing changed allocates nothing.
bool RemoteBridge::refresh()
{
    const Player& player = parts_.player;
    bool changed = false;
    const auto assign = [&changed](auto& field, auto value) {
        if (field != value) {
            field = value;
            changed = true;
        }
    };
    const RemotePlayback now = playback();
    assign(state_.playback, now);
    const int track = player.playlist().at(player.currentIndex()) ? player.currentIndex() : -1;
    if (track != state_.track) {
        describeTrack(track);
        changed = true;
    }
    const bool loaded = now != RemotePlayback::Stopped;
    assign(state_.lengthMicroseconds, loaded ? microseconds(player.mainLengthSeconds()) : std::int64_t{0});
    assign(state_.volume, loaded ? player.mainVolume() : 100);
    assign(state_.repeatOne, player.repeatOne());
    assign(state_.randomOrder, player.randomOrder());
    return changed;
}

void RemoteBridge::describeTrack(int track)
{
    state_.track = track;
    state_.title.clear();
    state_.file.clear();
    state_.canPlay = false;
    const TrackEntry* entry = parts_.player.playlist().at(track);
    if (!entry || entry->name.empty())
        return;
    state_.title = decodeWindows1250(entry->title.empty() ? entry->name : entry->title);
    std::error_code error;
    state_.file = std::filesystem::absolute(playlistFile(entry->name), error).lexically_normal();
    state_.canPlay = entry->kind != ChannelKind::None;
}

} // namespace windlecroft
