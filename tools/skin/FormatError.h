#pragma once

#include "base/Error.h"

namespace windlecroft::skin {

/** Bytes that the skin tool cannot represent or a source it cannot compile. */
class FormatError : public Error {
public:
    using Error::Error;
};

} // namespace windlecroft::skin
