#include "audio/Player.h"

#include "audio/AudioOutput.h"
#include "audio/PlaylistFile.h"
#include "resources/DataArchive.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace windlecroft {

namespace {

// Main-channel modules loop so that the end sync decides at every end what comes next; side
// modules play once. Both stop at a jump back, ramp volume and stop notes on a jump.
constexpr std::uint32_t sideModuleFlags = PlayFlag::StopOnBackwardJump | PlayFlag::PositionReset | PlayFlag::Ramp;
constexpr std::uint32_t mainModuleFlags = sideModuleFlags | PlayFlag::Loop;

std::int32_t low32(std::uint64_t value) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(value)); }

} // namespace

Player::Player(AudioEngine& engine, const DataArchive& archive, const Tracklist& playlist, std::uint16_t& publishedIndex)
    : engine_(engine)
    , archive_(archive)
    , listener_(nullptr)
    , playlist_(playlist)
    , publishedIndex_(publishedIndex)
{
}

void Player::setListener(PlayerListener* listener)
{
    listener_ = listener;
}

void Player::moveTo(int index)
{
    currentIndex_ = index;
    if (listener_)
        listener_->positionChanged(index);
}

void Player::initAudio(AudioOutput& output)
{
    output_ = &output;
    output.start(engine_);
}

void Player::shutdownAudio()
{
    if (output_)
        output_->stop();
    output_ = nullptr;
    engine_.freeAll();
}

void Player::stepForward()
{
    const ChannelHandle handle = main_.live();
    if (main_.kind == ChannelKind::Stream) {
        const std::int64_t position = low32(engine_.position(handle));
        const auto step = static_cast<std::int64_t>(engine_.secondsToBytes(handle, streamStepSeconds));
        if (position + step < main_.length) {
            engine_.setPosition(handle, static_cast<std::uint64_t>(position + step));
            ++jumpCount_;
        }
    } else if (main_.kind == ChannelKind::Module) {
        const auto order = static_cast<std::int32_t>(engine_.position(handle) & 0xFFFF);
        if (order != main_.length) {
            engine_.setPosition(handle, static_cast<std::uint32_t>(order + 1));
            ++jumpCount_;
        }
    }
}

void Player::stepBack()
{
    const ChannelHandle handle = main_.live();
    if (main_.kind == ChannelKind::Stream) {
        const std::int64_t position = low32(engine_.position(handle));
        const auto step = static_cast<std::int64_t>(engine_.secondsToBytes(handle, streamStepSeconds));
        if (position - step >= 0) {
            engine_.setPosition(handle, static_cast<std::uint64_t>(position - step));
            ++jumpCount_;
        }
    } else if (main_.kind == ChannelKind::Module) {
        const auto order = static_cast<std::int32_t>(engine_.position(handle) & 0xFFFF);
        if (order != 0) {
            engine_.setPosition(handle, static_cast<std::uint32_t>(order - 1));
            ++jumpCount_;
        }
    }
}

void Player::togglePause()
{
    if (main_.kind == ChannelKind::None)
        return;
    const ChannelHandle handle = main_.live();
    const ChannelState state = engine_.isActive(handle);
    if (state == ChannelState::Playing)
        engine_.pause(handle);
    else if (state == ChannelState::Paused)
        engine_.resume(handle);
}

void Player::seekPercent(float percent)
{
    if (main_.kind == ChannelKind::None)
        return;
    const ChannelHandle handle = main_.live();
    if (engine_.isActive(handle) != ChannelState::Playing)
        return;
    // The factor 0.01 is a single-precision constant while the product is formed in double:
    // 0.01f lies slightly below 0.01, so 50 % of 10 orders gives just under 5 and truncates to 4.
    const double position = static_cast<double>(main_.length) * static_cast<double>(percent) * static_cast<double>(0.01f);
    if (!std::isfinite(position) || std::abs(position) > 2147483647.0)
        return;
    engine_.setPosition(handle, static_cast<std::uint32_t>(static_cast<std::int32_t>(position)));
    ++jumpCount_;
}

void Player::seekSeconds(double seconds)
{
    if (main_.kind == ChannelKind::None)
        return;
    const ChannelHandle handle = main_.live();
    if (engine_.isActive(handle) == ChannelState::Stopped || !(seconds <= engine_.lengthSeconds(handle)))
        return;
    engine_.setPositionSeconds(handle, std::max(0.0, seconds));
    ++jumpCount_;
}

void Player::stopMain()
{
    if (main_.kind == ChannelKind::None)
        return;
    const ChannelHandle handle = main_.live();
    engine_.removeSync(handle, endSync_);
    endSync_ = 0;
    engine_.stop(handle);
    engine_.free(handle);
}

ChannelHandle Player::mainVolumeHandle() const
{
    const TrackEntry* entry = playlist_.at(currentIndex_);
    if (!entry)
        return 0;
    switch (entry->kind) {
    case ChannelKind::Module: return main_.module;
    case ChannelKind::Stream: return main_.stream;
    case ChannelKind::None: break;
    }
    return 0;
}

void Player::setMainVolume(int volume)
{
    if (const ChannelHandle handle = mainVolumeHandle())
        engine_.setVolume(handle, volume);
}

void Player::slideMainVolume(int volume, std::uint32_t milliseconds)
{
    if (const ChannelHandle handle = mainVolumeHandle())
        engine_.slideVolume(handle, volume, milliseconds);
}

void Player::readSpectrum(std::span<float, FrequencyAnalyzer::binCount> buffer)
{
    if (main_.kind != ChannelKind::None)
        engine_.spectrum(main_.live(), buffer);
}

bool Player::mainPlaying() const
{
    return main_.kind != ChannelKind::None && engine_.isActive(main_.live()) == ChannelState::Playing;
}

ChannelState Player::mainState() const
{
    return main_.kind == ChannelKind::None ? ChannelState::Stopped : engine_.isActive(main_.live());
}

double Player::mainSeconds() const
{
    return main_.kind == ChannelKind::None ? 0.0 : engine_.seconds(main_.live());
}

double Player::mainLengthSeconds() const
{
    return main_.kind == ChannelKind::None ? 0.0 : engine_.lengthSeconds(main_.live());
}

double Player::mainFraction() const
{
    return main_.kind == ChannelKind::None ? 0.0 : engine_.fraction(main_.live());
}

int Player::mainVolume() const
{
    return main_.kind == ChannelKind::None ? 0 : engine_.volume(main_.live());
}

int Player::sideVolume() const
{
    return side_.kind == ChannelKind::None ? 0 : engine_.volume(side_.live());
}

void Player::stopSide()
{
    if (side_.kind == ChannelKind::None)
        return;
    const ChannelHandle handle = side_.live();
    engine_.stop(handle);
    engine_.free(handle);
}

void Player::setSideVolume(int volume)
{
    for (const ChannelHandle handle : {side_.module, side_.stream}) {
        if (engine_.isActive(handle) != ChannelState::Stopped)
            engine_.setVolume(handle, volume);
    }
}

void Player::slideSideVolume(int volume, std::uint32_t milliseconds)
{
    for (const ChannelHandle handle : {side_.module, side_.stream}) {
        if (engine_.isActive(handle) != ChannelState::Stopped)
            engine_.slideVolume(handle, volume, milliseconds);
    }
}

void Player::toggleRepeatOne()
{
    repeatOne_ = !repeatOne_;
    // A track that is not repeated falls silent at its end until the main thread moves on; one
    // that is repeated starts over at once, also when it is waiting at its end right now.
    if (main_.kind != ChannelKind::None)
        engine_.setHoldAtEnd(main_.live(), !repeatOne_);
}

void Player::toggleRandom() { randomOrder_ = !randomOrder_; }

void Player::startTrack(const TrackEntry& entry, ChannelSlot& slot, bool withEndSync)
{
    ChannelHandle handle = 0;
    if (entry.kind == ChannelKind::Stream) {
        if (entry.fromArchive)
            handle = engine_.createStream(archive_.findEntry(entry.name).bytes(), entry.name);
        else
            handle = engine_.createStream(playlistFile(entry.name));
        slot.stream = handle;
        slot.length = low32(engine_.length(handle));
    } else if (entry.kind == ChannelKind::Module) {
        if (entry.fromArchive) {
            handle = engine_.loadModule(archive_.findEntry(entry.name).bytes(), entry.name);
        } else {
            moduleLooped_ = entry.name.find("loop") != std::string::npos;
            if (listener_)
                listener_->moduleLoading(moduleLooped_);
            handle = engine_.loadModule(playlistFile(entry.name));
        }
        slot.module = handle;
        slot.length = low32(engine_.length(handle)) - 1;
    } else {
        return;
    }

    const bool isModule = entry.kind == ChannelKind::Module;
    if (withEndSync) {
        endSync_ = engine_.setEndSync(handle);
        engine_.setHoldAtEnd(handle, !repeatOne_);
        engine_.play(handle, isModule ? mainModuleFlags : PlayFlag::Loop);
    } else {
        engine_.play(handle, isModule ? sideModuleFlags : 0);
    }
}

void Player::playCurrent()
{
    publishedIndex_ = static_cast<std::uint16_t>(currentIndex_);
    if (main_.kind != ChannelKind::None) {
        const ChannelHandle handle = main_.live();
        if (engine_.isActive(handle) == ChannelState::Paused)
            engine_.resume(handle);
        if (engine_.isActive(handle) == ChannelState::Playing)
            return;
    }
    const TrackEntry* entry = playlist_.at(currentIndex_);
    if (!entry || entry->kind == ChannelKind::None)
        return;
    startTrack(*entry, main_, true);
    main_.kind = entry->kind;
}

int Player::drawIndex() { return random_.next() % playlist_.count(); }

bool Player::advance()
{
    const int count = playlist_.count();
    // Refuse what could never end: no entry to move to at all, or at random no entry other than
    // the current one. The player then stays where it is.
    // A draw reaches only the first 32768 positions.
    const int drawable = randomOrder_ ? std::min(count, 32768) : count;
    bool reachable = false;
    for (int i = 0; i < drawable && !reachable; ++i)
        reachable = !playlist_.isPlaceholder(i) && !(randomOrder_ && i == currentIndex_);
    if (!reachable)
        return false;

    previousIndex_ = currentIndex_;
    int index = currentIndex_;
    do {
        if (randomOrder_) {
            do
                index = drawIndex();
            while (index == previousIndex_);
        } else {
            index = (index + 1) % count;
        }
    } while (playlist_.isPlaceholder(index));
    moveTo(index);
    return true;
}

void Player::playNext()
{
    const bool wasActive = main_.kind != ChannelKind::None && engine_.isActive(main_.live()) != ChannelState::Stopped;
    stopMain();
    advance();
    if (wasActive)
        playCurrent();
}

void Player::playPrevious()
{
    const bool wasActive = main_.kind != ChannelKind::None && engine_.isActive(main_.live()) != ChannelState::Stopped;
    stopMain();
    const int count = playlist_.count();
    const int drawable = randomOrder_ ? std::min(count, 32768) : count;
    bool reachable = false;
    for (int i = 0; i < drawable && !reachable; ++i)
        reachable = !playlist_.isPlaceholder(i);
    if (!reachable)
        return;

    // At random the remembered entry is taken once; after that, and in order, it is forgotten.
    int remembered = previousIndex_;
    int index = currentIndex_;
    do {
        if (randomOrder_ && remembered != -1) {
            index = remembered;
        } else if (randomOrder_) {
            do
                index = drawIndex();
            while (index == previousIndex_);
        } else {
            index = (count + index - 1) % count;
        }
        previousIndex_ = remembered = -1;
    } while (playlist_.isPlaceholder(index));
    moveTo(index);
    if (wasActive)
        playCurrent();
}

void Player::playIndex(int position)
{
    if (playlist_.isPlaceholder(position))
        return;
    moveTo(position);
    stopMain();
    playCurrent();
}

void Player::startSide(const TrackEntry& entry)
{
    stopSide();
    if (entry.kind == ChannelKind::None)
        return;
    startTrack(entry, side_, false);
    side_.kind = entry.kind;
}

void Player::startSide(const NamedTracks& namedTracks, std::string_view key)
{
    if (const TrackEntry* entry = namedTracks.find(key))
        startSide(*entry);
}

void Player::onTrackEnd()
{
    // A repeated track has started over by itself.
    if (repeatOne_) {
        ++jumpCount_;
        return;
    }
    stopMain();
    advance();
    playCurrent();
    if (listener_)
        listener_->trackAdvanced(currentIndex_);
}

void Player::handleEndedTracks()
{
    // Events of a sync that has since been removed were already dropped by the engine; the check
    // guards against one that was replaced by a newer track's sync in the meantime.
    for (const EndSyncEvent& event : engine_.takeEndedSyncs()) {
        if (event.sync != 0 && event.sync == endSync_)
            onTrackEnd();
    }
}

} // namespace windlecroft
