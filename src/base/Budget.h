#pragma once

#include <cstdint>

namespace windlecroft {

/** What is left of an amount a skin may use up (bytes of documents, say); it only shrinks. */
class Budget {
public:
    explicit Budget(std::uint64_t total) : left_(total) {}

    /** Takes amount when it fits and says so; otherwise takes nothing. */
    bool spend(std::uint64_t amount)
    {
        if (amount > left_)
            return false;
        left_ -= amount;
        return true;
    }
    std::uint64_t left() const { return left_; }

private:
    std::uint64_t left_;
};

} // namespace windlecroft
