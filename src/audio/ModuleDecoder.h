#pragma once

#include "audio/Decoder.h"

#include <filesystem>
#include <memory>
#include <ostream>
#include <span>

namespace openmpt {
class module;
}

namespace windlecroft {

/**
 * Tracker modules (XM, IT and every other format libopenmpt reads). Positions are the order in
 * the low 16 bits and the row in the high 16 bits; the length is the number of orders.
 */
class ModuleDecoder final : public Decoder {
public:
    /** Parses the module from memory; the bytes are not needed afterwards. Null when it is no module. */
    static std::unique_ptr<ModuleDecoder> open(std::span<const std::uint8_t> data);
    /** Reads and parses a module file; null when it is no regular file, holds more than maxModuleBytes or is no module. */
    static std::unique_ptr<ModuleDecoder> open(const std::filesystem::path& file);

    ~ModuleDecoder() override;

    std::size_t render(std::span<float> out) override;
    void restart() override;
    std::uint64_t position() const override;
    bool setPosition(std::uint64_t position) override;
    std::uint64_t length() const override;
    double positionSeconds() const override;
    double lengthSeconds() const override;
    /** Orders played and the part of the current one: a seek by percent lands on an order. */
    double positionFraction() const override;
    bool setPositionSeconds(double seconds) override;
    void configure(std::uint32_t flags) override;

private:
    ModuleDecoder();

    // libopenmpt keeps a reference to its log stream, so the stream lives as long as the module.
    // Its messages about odd files are dropped: a module that loads plays.
    std::ostream quietLog_{nullptr};
    std::unique_ptr<openmpt::module> module_;
};

} // namespace windlecroft
