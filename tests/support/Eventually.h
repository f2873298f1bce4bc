#pragma once

#include <chrono>
#include <functional>
#include <thread>

namespace windlecroft::test {

/** Polls condition every 50 ms until it holds (true) or timeout passes (false). */
inline bool eventually(const std::function<bool()>& condition,
                       std::chrono::milliseconds timeout = std::chrono::seconds(10))
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

} // namespace windlecroft::test
