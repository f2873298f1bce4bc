#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace windlecroft::fuzz {

/**
 * Splits one fuzz input into the values a target needs: small numbers from the front, then
 * byte blocks. Running out is not an error: missing bytes read as 0 and blocks come back
 * shorter, so every input the fuzzer makes is a valid call of the target.
 */
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : bytes_(data, size) {}

    std::uint8_t u8()
    {
        if (bytes_.empty())
            return 0;
        const std::uint8_t value = bytes_.front();
        bytes_ = bytes_.subspan(1);
        return value;
    }
    // Little-endian; each byte is taken in its own statement, since the operands of one
    // expression are taken in no fixed order.
    std::uint16_t u16()
    {
        const std::uint16_t low = u8();
        const std::uint16_t high = u8();
        return static_cast<std::uint16_t>(low | high << 8);
    }
    std::uint32_t u32()
    {
        const std::uint32_t low = u16();
        const std::uint32_t high = u16();
        return low | high << 16;
    }

    /** The next count bytes, or what is left when fewer remain. */
    std::span<const std::uint8_t> bytes(std::size_t count)
    {
        const std::span<const std::uint8_t> taken = bytes_.first(count < bytes_.size() ? count : bytes_.size());
        bytes_ = bytes_.subspan(taken.size());
        return taken;
    }
    /** Everything not taken yet. */
    std::span<const std::uint8_t> rest() { return bytes(bytes_.size()); }

private:
    std::span<const std::uint8_t> bytes_;
};

} // namespace windlecroft::fuzz
