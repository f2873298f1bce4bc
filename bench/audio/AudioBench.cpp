#include "audio/AudioEngine.h"
#include "audio/FrequencyAnalyzer.h"
#include "platform/headless/NullAudioOutput.h"

#include "support/ToneEncoder.h"
#include "support/XmWriter.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <sstream>

namespace windlecroft {
namespace {

using test::TrackerCell;
using test::TrackerEffect;
using test::TrackerSong;

// A busier module than the test fixtures: 8 channels, a new note on every channel every other row.
TrackerSong busySong()
{
    TrackerSong song = TrackerSong::tones(1);
    song.channels = 8;
    song.patterns.clear();
    song.orders.clear();
    for (int p = 0; p < 4; ++p) {
        test::TrackerPattern& pattern = song.addPattern(16);
        for (int row = 0; row < 16; row += 2) {
            for (int channel = 0; channel < 8; ++channel) {
                const auto note = static_cast<std::uint8_t>(37 + (row + 3 * channel + 5 * p) % 36);
                pattern.at(row, channel, 8) = TrackerCell{note, 1, 41, TrackerEffect::None, 0};
            }
        }
        song.orders.push_back(static_cast<std::uint8_t>(p));
    }
    return song;
}

// Renders 10 s of audio from a looping module and a looping stream mixed together, in blocks of
// 1024 frames as an SDL device asks for them. The rate counter is seconds of audio per second of
// work: the real-time factor.
void mixModuleAndStream(benchmark::State& state, int streamRate, int streamChannels)
{
    std::ostringstream diagnostics;
    AudioEngine engine(diagnostics);
    const std::vector<std::uint8_t> module = test::writeXm(busySong());
    const std::vector<std::uint8_t> stream = test::encodeTone(
        {.format = test::ToneFormat::OggVorbis, .sampleRate = streamRate, .channels = streamChannels, .frequency = 440, .seconds = 4.0});
    const ChannelHandle moduleChannel = engine.loadModule(module, "busy.xm");
    const ChannelHandle streamChannel = engine.createStream(stream, "tone.ogg");
    engine.play(moduleChannel, PlayFlag::Loop | PlayFlag::Ramp | PlayFlag::PositionReset | PlayFlag::StopOnBackwardJump);
    engine.play(streamChannel, PlayFlag::Loop);
    if (!moduleChannel || !streamChannel)
        state.SkipWithError("fixtures did not load");

    NullAudioOutput output;
    output.start(engine);
    // A silent mix would be cheap and prove nothing: report the level of the first second.
    const std::vector<float> first = output.renderMilliseconds(1000);
    double sum = 0;
    for (float sample : first)
        sum += static_cast<double>(sample) * sample;
    state.counters["rms"] = std::sqrt(sum / static_cast<double>(first.size()));
    constexpr std::size_t blockFrames = 1024;
    constexpr std::size_t tenSeconds = 10 * AudioOutput::sampleRate;
    for (auto _ : state) {
        for (std::size_t done = 0; done < tenSeconds; done += blockFrames)
            benchmark::DoNotOptimize(output.renderFrames(blockFrames).data());
        engine.takeEndedSyncs();
    }
    output.stop();
    state.counters["realtime_factor"] = benchmark::Counter(10.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_MixModuleAndStream(benchmark::State& state) { mixModuleAndStream(state, 44100, 2); }
BENCHMARK(BM_MixModuleAndStream)->Unit(benchmark::kMillisecond);

void BM_MixModuleAndResampledStream(benchmark::State& state) { mixModuleAndStream(state, 22050, 1); }
BENCHMARK(BM_MixModuleAndResampledStream)->Unit(benchmark::kMillisecond);

// What the renderer pays every frame for the spectrum: the engine's copy of the last samples
// and the FFT.
void BM_SpectrumPerFrame(benchmark::State& state)
{
    std::ostringstream diagnostics;
    AudioEngine engine(diagnostics);
    const std::vector<std::uint8_t> stream = test::encodeTone({.format = test::ToneFormat::OggVorbis, .seconds = 1.0});
    const ChannelHandle channel = engine.createStream(stream, "tone.ogg");
    engine.play(channel, PlayFlag::Loop);
    NullAudioOutput output;
    output.start(engine);
    output.renderMilliseconds(100);
    std::array<float, FrequencyAnalyzer::binCount> magnitudes{};
    for (auto _ : state) {
        engine.spectrum(channel, magnitudes);
        benchmark::DoNotOptimize(magnitudes.data());
    }
    output.stop();
}
BENCHMARK(BM_SpectrumPerFrame)->Unit(benchmark::kMicrosecond);

void BM_FftOnly(benchmark::State& state)
{
    FrequencyAnalyzer analyzer;
    std::array<float, FrequencyAnalyzer::fftSize> samples{};
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<float>(std::sin(0.1 * static_cast<double>(i)));
    std::array<float, FrequencyAnalyzer::binCount> magnitudes{};
    for (auto _ : state) {
        analyzer.analyze(samples, magnitudes);
        benchmark::DoNotOptimize(magnitudes.data());
    }
}
BENCHMARK(BM_FftOnly)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace windlecroft
