#pragma once

#include "base/Error.h"

namespace windlecroft {

/** A configuration that cannot be represented as a tree, or a tree that cannot be written. */
class SkinFormatError : public Error {
public:
    using Error::Error;
};

} // namespace windlecroft
