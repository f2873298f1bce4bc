// Runs a fuzz target's entry point over saved inputs, without libFuzzer: the ordinary test
// build uses it to replay the seed corpus and the crash inputs kept in tests/regression.
// Arguments are files or folders (every regular file in them, in name order); a folder that
// does not exist holds no inputs. It fails when there was no input at all.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::filesystem::path> inputsIn(const std::filesystem::path& argument)
{
    std::vector<std::filesystem::path> inputs;
    if (std::filesystem::is_regular_file(argument)) {
        inputs.push_back(argument);
    } else if (std::filesystem::is_directory(argument)) {
        for (const auto& entry : std::filesystem::directory_iterator(argument))
            if (entry.is_regular_file())
                inputs.push_back(entry.path());
        std::sort(inputs.begin(), inputs.end());
    }
    return inputs;
}

} // namespace

int main(int argc, char** argv)
{
    std::size_t replayed = 0;
    for (int i = 1; i < argc; ++i) {
        for (const std::filesystem::path& input : inputsIn(argv[i])) {
            std::ifstream file(input, std::ios::binary);
            const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
            std::cout << "replaying " << input.string() << " (" << bytes.size() << " bytes)" << std::endl;
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++replayed;
        }
    }
    if (replayed == 0) {
        std::cerr << "no inputs to replay\n";
        return 1;
    }
    std::cout << replayed << " inputs replayed\n";
    return 0;
}
