#pragma once

#include <string>

namespace windlecroft {

/** Where an error is shown to the person. */
class Alerts {
public:
    virtual ~Alerts() = default;

    /** Shows an error message box captioned "windlecroft runtime exception" and waits for OK. */
    virtual void showError(const std::string& message) = 0;
};

} // namespace windlecroft
