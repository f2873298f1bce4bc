#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace windlecroft::test {

/**
 * Runs a command-line tool (an encoder, a reference decoder) over one file in a temporary
 * folder: the argument "IN" names the file the input bytes are written to (as inName, whose
 * extension some tools look at), "OUT" the file read back as the result (as outName). Throws
 * std::runtime_error, with the tool's messages, when it fails or writes nothing; the tests'
 * tools are installed by scripts/install-deps.
 */
std::vector<std::uint8_t> runTool(std::vector<std::string> arguments, std::span<const std::uint8_t> input,
                                  const std::string& inName, const std::string& outName);

} // namespace windlecroft::test
