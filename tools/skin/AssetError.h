#pragma once

#include <stdexcept>

namespace windlecroft::skin {

/**
 * An asset file that the source names but that may not be used: it lies outside the source
 * folder, is no regular file or is too large. The message says why and leaves out the path,
 * which the caller puts in front along with the source line.
 */
class AssetError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace windlecroft::skin
