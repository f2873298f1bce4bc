#include "support/ExternalTool.h"

#include "support/Process.h"
#include "support/TempDir.h"

#include "skin/ArchiveWriter.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace windlecroft::test {

std::vector<std::uint8_t> runTool(std::vector<std::string> arguments, std::span<const std::uint8_t> input,
                                  const std::string& inName, const std::string& outName)
{
    TempDir dir;
    writeFile(dir / inName, input);
    for (std::string& argument : arguments) {
        if (argument == "IN")
            argument = (dir / inName).string();
        else if (argument == "OUT")
            argument = (dir / outName).string();
    }
    Process::Options options;
    options.workingDir = dir.path();
    const RunResult result = runProcess(arguments, options);
    std::ifstream file(dir / outName, std::ios::binary);
    std::vector<std::uint8_t> output((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (result.status != 0 || output.empty())
        throw std::runtime_error(
            arguments.front() + " failed (is it installed? see scripts/install-deps): " + result.errors);
    return output;
}

} // namespace windlecroft::test
