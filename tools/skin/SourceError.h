#pragma once

#include "skin/FormatError.h"

#include <string>

namespace windlecroft::skin {

/** A fault in the source text, with the line it was found on (0 when unknown). */
class SourceError : public FormatError {
public:
    SourceError(int line, const std::string& message) : FormatError(message), line_(line) {}
    int line() const { return line_; }

private:
    int line_;
};

} // namespace windlecroft::skin
