#include "support/PlayerHarness.h"

#include "support/ToneEncoder.h"
#include "skin/ArchiveWriter.h"

#include <algorithm>
#include <iterator>

namespace windlecroft::test {

std::string PlayerHarness::file(const std::string& name, const std::vector<std::uint8_t>& bytes)
{
    const auto path = dir / name;
    writeFile(path, bytes);
    return path.string();
}

std::string PlayerHarness::tone(const std::string& name, double frequency, double seconds)
{
    // A low rate keeps encoding quick; the engine resamples to the output rate.
    return file(name, encodeTone({.format = ToneFormat::OggVorbis, .sampleRate = 16000, .channels = 1, .frequency = frequency, .seconds = seconds}));
}

void PlayerHarness::setPlaylist(std::initializer_list<std::string> names)
{
    for (auto name = std::rbegin(names); name != std::rend(names); ++name)
        playlist.addTrack(*name);
}

std::vector<Action> PlayerHarness::takePosts()
{
    std::vector<Action> posts;
    while (auto action = actions.take())
        posts.insert(posts.begin(), *action);
    return posts;
}

int PlayerHarness::dominantBin(const std::vector<float>& heard)
{
    std::array<float, FrequencyAnalyzer::fftSize> mono{};
    const std::size_t frames = heard.size() / 2;
    if (frames < mono.size())
        return -1;
    for (std::size_t i = 0; i < mono.size(); ++i) {
        const std::size_t frame = frames - mono.size() + i;
        mono[i] = 0.5f * (heard[2 * frame] + heard[2 * frame + 1]);
    }
    std::array<float, FrequencyAnalyzer::binCount> magnitudes{};
    FrequencyAnalyzer().analyze(mono, magnitudes);
    return static_cast<int>(std::max_element(magnitudes.begin(), magnitudes.end()) - magnitudes.begin());
}

} // namespace windlecroft::test
