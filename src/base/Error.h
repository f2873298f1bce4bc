#pragma once

#include <stdexcept>
#include <string>

namespace windlecroft {

/**
 * Every failure the player detects is raised as an Error carrying the exact text that is
 * shown to the person. Only the entry point catches it. A detail, when given, is printed on a
 * second line of stderr (where the player looked, what the system said); the message box shows
 * the text alone.
 */
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message, std::string detail = {})
        : std::runtime_error(message), detail_(std::move(detail))
    {
    }

    const std::string& detail() const { return detail_; }

private:
    std::string detail_;
};

} // namespace windlecroft
