#pragma once

#include <stdexcept>
#include <string>

namespace windlecroft {

/**
 * Every failure the player detects is raised as an Error carrying the exact text that is
 * shown to the person. Only the entry point catches it.
 */
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

} // namespace windlecroft
