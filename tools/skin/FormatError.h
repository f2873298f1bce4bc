#pragma once

#include "skin/SkinFormatError.h"

namespace windlecroft::skin {

/** Bytes that the skin tool cannot represent or a source it cannot compile. */
using FormatError = SkinFormatError;

} // namespace windlecroft::skin
