#include "audio/ModuleDecoder.h"

#include "audio/ChannelTypes.h"
#include "base/RegularFile.h"
#include "base/SkinLimits.h"
#include "audio/AudioOutput.h"

#include <libopenmpt/libopenmpt.hpp>

#include <vector>

namespace windlecroft {

ModuleDecoder::ModuleDecoder() = default;
ModuleDecoder::~ModuleDecoder() = default;

std::unique_ptr<ModuleDecoder> ModuleDecoder::open(std::span<const std::uint8_t> data)
{
    std::unique_ptr<ModuleDecoder> decoder(new ModuleDecoder());
    try {
        decoder->module_ = std::make_unique<openmpt::module>(data.data(), data.size(), decoder->quietLog_);
    } catch (const std::exception&) {
        // libopenmpt reports a file it cannot read as an exception; the caller gets no decoder.
        return nullptr;
    }
    decoder->configure(0);
    return decoder;
}

std::unique_ptr<ModuleDecoder> ModuleDecoder::open(const std::filesystem::path& file)
{
    // Modules are parsed from memory: only a regular file of a module's size is read at all.
    const std::optional<std::vector<std::uint8_t>> bytes = readRegularFile(file, maxModuleBytes);
    if (!bytes)
        return nullptr;
    return open(std::span(*bytes));
}

std::size_t ModuleDecoder::render(std::span<float> out)
{
    const std::size_t frames = out.size() / 2;
    std::size_t produced = 0;
    // libopenmpt returns fewer frames than asked just before the end and 0 at the end itself.
    while (produced < frames) {
        const std::size_t got = module_->read_interleaved_stereo(AudioOutput::sampleRate, frames - produced, out.data() + 2 * produced);
        if (got == 0)
            break;
        produced += got;
    }
    return produced;
}

void ModuleDecoder::restart()
{
    // A looping module is configured to continue from its loop start on the read after the end,
    // which is exactly where a jump back would take it; nothing to do here.
}

std::uint64_t ModuleDecoder::position() const
{
    const auto order = static_cast<std::uint32_t>(module_->get_current_order()) & 0xFFFF;
    const auto row = static_cast<std::uint32_t>(module_->get_current_row()) & 0xFFFF;
    return order | (row << 16);
}

bool ModuleDecoder::setPosition(std::uint64_t position)
{
    const auto order = static_cast<std::int32_t>(position & 0xFFFF);
    const auto row = static_cast<std::int32_t>((position >> 16) & 0xFFFF);
    if ((position >> 32) != 0 || order >= module_->get_num_orders())
        return false;
    const std::int32_t pattern = module_->get_order_pattern(order);
    if (pattern < 0 || pattern >= module_->get_num_patterns() || row >= module_->get_pattern_num_rows(pattern))
        return false;
    module_->set_position_order_row(order, row);
    return true;
}

std::uint64_t ModuleDecoder::length() const { return static_cast<std::uint64_t>(module_->get_num_orders()); }

double ModuleDecoder::positionSeconds() const { return module_->get_position_seconds(); }

double ModuleDecoder::lengthSeconds() const { return module_->get_duration_seconds(); }

double ModuleDecoder::positionFraction() const
{
    const std::int32_t orders = module_->get_num_orders();
    if (orders <= 0)
        return 0.0;
    const std::int32_t rows = module_->get_pattern_num_rows(module_->get_current_pattern());
    const double withinOrder = rows > 0 ? static_cast<double>(module_->get_current_row()) / rows : 0.0;
    return (module_->get_current_order() + withinOrder) / orders;
}

// libopenmpt finds the order and row that sound at that time.
bool ModuleDecoder::setPositionSeconds(double seconds)
{
    if (!(seconds >= 0.0) || seconds > module_->get_duration_seconds())
        return false;
    try {
        module_->set_position_seconds(seconds);
    } catch (const openmpt::exception&) {
        return false;
    }
    return true;
}

void ModuleDecoder::configure(std::uint32_t flags)
{
    try {
        const bool loop = flags & PlayFlag::Loop;
        if (loop && !(flags & PlayFlag::StopOnBackwardJump)) {
            // Follow the module's own jumps for ever: it never reaches an end.
            module_->set_repeat_count(-1);
        } else {
            // libopenmpt takes a jump back to rows already played as the end of the song, which is
            // what stopping on a backward jump asks for. After the end a looping module continues
            // from the jump's target; a module played once stays silent.
            module_->set_repeat_count(0);
            module_->ctl_set_text("play.at_end", loop ? "continue" : "stop");
        }
        module_->set_render_param(openmpt::module::RENDER_VOLUMERAMPING_STRENGTH, (flags & PlayFlag::Ramp) ? -1 : 0);
        // Samples are interpolated linearly: the flags ask for no sinc interpolation (and an
        // 8-tap filter, the library's default, costs the player most of its playing time).
        module_->set_render_param(openmpt::module::RENDER_INTERPOLATIONFILTER_LENGTH, 2);
        // Without position reset, notes that sound across a jump keep sounding at the new place.
        module_->ctl_set_boolean("seek.sync_samples", !(flags & PlayFlag::PositionReset));
    } catch (const openmpt::exception&) {
        // A library without one of these controls plays the module with its defaults.
    }
}

} // namespace windlecroft
