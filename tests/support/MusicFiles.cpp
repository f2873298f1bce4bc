#include "support/MusicFiles.h"

#include "support/ExternalTool.h"

#include <ogg/ogg.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <stdexcept>
#include <string_view>

namespace windlecroft::test {

namespace {

void putLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void appendPage(std::vector<std::uint8_t>& out, const ogg_page& page)
{
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
}

} // namespace

std::vector<std::uint8_t> wavFile(const PcmTone& tone)
{
    const auto frames = static_cast<std::uint32_t>(std::lround(tone.seconds * tone.sampleRate));
    const auto channels = static_cast<std::uint32_t>(tone.channels);
    const std::uint32_t dataBytes = frames * channels * 2;
    std::vector<std::uint8_t> out{'R', 'I', 'F', 'F'};
    putLe(out, 36 + dataBytes, 4);
    for (char c : std::string_view("WAVEfmt "))
        out.push_back(static_cast<std::uint8_t>(c));
    putLe(out, 16, 4);
    putLe(out, 1, 2); // PCM
    putLe(out, channels, 2);
    putLe(out, static_cast<std::uint32_t>(tone.sampleRate), 4);
    putLe(out, static_cast<std::uint32_t>(tone.sampleRate) * channels * 2, 4);
    putLe(out, channels * 2, 2);
    putLe(out, 16, 2);
    for (char c : std::string_view("data"))
        out.push_back(static_cast<std::uint8_t>(c));
    putLe(out, dataBytes, 4);
    const double fadeFrames = tone.fadeSeconds * tone.sampleRate;
    for (std::uint32_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / tone.sampleRate;
        double gain = 1.0;
        if (fadeFrames > 0)
            gain = std::clamp(std::min<double>(i, frames - 1 - i) / fadeFrames, 0.0, 1.0);
        const double value = gain * tone.amplitude * std::sin(2.0 * std::numbers::pi * tone.frequency * t);
        const auto sample = static_cast<std::int16_t>(std::lround(value * 32767.0));
        for (std::uint32_t c = 0; c < channels; ++c)
            putLe(out, static_cast<std::uint16_t>(sample), 2);
    }
    return out;
}

std::vector<std::uint8_t> encodedTone(const std::string& extension, const PcmTone& tone,
                                      const std::vector<std::string>& options)
{
    const std::vector<std::uint8_t> wav = wavFile(tone);
    if (extension == "wav")
        return wav;
    // Ogg streams get a serial number from the tone (the encoders would pick one from the clock):
    // two different tones joined into a chained file keep two different ones, as they must.
    const std::string serial
        = std::to_string(static_cast<int>(tone.frequency) * 1000 + tone.sampleRate / 100 + tone.channels);
    std::vector<std::string> command;
    std::string output;
    if (extension == "ogg") {
        command = {"oggenc", "--quiet", "-q", "3", "--serial", serial, "-o", "OUT"};
    } else if (extension == "mp3") {
        command = {"lame", "--quiet", "-V", "4"};
    } else if (extension == "flac") {
        command = {"flac", "--silent", "--force", "-o", "OUT"};
    } else if (extension == "opus") {
        command = {"opusenc", "--quiet", "--serial", serial};
    } else {
        throw std::runtime_error("no encoder for ." + extension);
    }
    command.insert(command.end(), options.begin(), options.end());
    command.push_back("IN");
    // lame and opusenc take the output's name after the input's.
    if (extension == "mp3" || extension == "opus")
        command.push_back("OUT");
    return runTool(command, wav, "in.wav", "out." + extension);
}

std::vector<std::uint8_t> withTagsAndJunk(const std::vector<std::uint8_t>& mp3)
{
    const bool endsInId3v1
        = mp3.size() >= 128 && std::string_view(reinterpret_cast<const char*>(&mp3[mp3.size() - 128]), 3) == "TAG";
    const auto frames = static_cast<std::ptrdiff_t>(mp3.size() - (endsInId3v1 ? 128 : 0));
    std::vector<std::uint8_t> out(700, 0x00);
    out.insert(out.end(), mp3.begin(), mp3.begin() + frames);
    // APEv2: a header and a footer of 32 bytes each around one item, "Title" = "Tone".
    std::vector<std::uint8_t> item;
    putLe(item, 4, 4);
    putLe(item, 0, 4);
    for (char c : std::string_view("Title\0Tone", 10))
        item.push_back(static_cast<std::uint8_t>(c));
    const auto apeBlock = [&](std::uint32_t flags) {
        for (char c : std::string_view("APETAGEX"))
            out.push_back(static_cast<std::uint8_t>(c));
        putLe(out, 2000, 4);
        putLe(out, static_cast<std::uint32_t>(item.size() + 32), 4);
        putLe(out, 1, 4);
        putLe(out, flags, 4);
        out.insert(out.end(), 8, 0);
    };
    apeBlock(0xA0000000u); // a header, of a tag with a header
    out.insert(out.end(), item.begin(), item.end());
    apeBlock(0x80000000u); // the footer
    out.insert(out.end(), mp3.begin() + frames, mp3.end());
    out.insert(out.end(), 300, 0x00);
    return out;
}

std::vector<std::uint8_t> multiplexedWithUnknownStream(std::span<const std::uint8_t> ogg)
{
    ogg_sync_state sync;
    ogg_sync_init(&sync);
    char* buffer = ogg_sync_buffer(&sync, static_cast<long>(ogg.size()));
    std::memcpy(buffer, ogg.data(), ogg.size());
    ogg_sync_wrote(&sync, static_cast<long>(ogg.size()));
    std::vector<std::vector<std::uint8_t>> pages;
    int serial = 0;
    ogg_page page;
    while (ogg_sync_pageout(&sync, &page) == 1) {
        if (pages.empty())
            serial = ogg_page_serialno(&page);
        pages.emplace_back();
        appendPage(pages.back(), page);
    }
    ogg_sync_clear(&sync);

    ogg_stream_state other;
    ogg_stream_init(&other, serial ^ 0x5A5A5A);
    std::vector<std::uint8_t> out;
    std::vector<std::uint8_t> data(200);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i * 7);
    std::vector<std::uint8_t> header{0x80};
    for (char c : std::string_view("unknownvideo codec header"))
        header.push_back(static_cast<std::uint8_t>(c));
    const auto putPacket = [&](std::vector<std::uint8_t>& bytes, long number, bool first, bool last) {
        ogg_packet packet{};
        packet.packet = bytes.data();
        packet.bytes = static_cast<long>(bytes.size());
        packet.b_o_s = first;
        packet.e_o_s = last;
        packet.granulepos = number;
        packet.packetno = number;
        ogg_stream_packetin(&other, &packet);
        while (ogg_stream_flush(&other, &page) != 0)
            appendPage(out, page);
    };
    putPacket(header, 0, true, false);
    long number = 1;
    for (const std::vector<std::uint8_t>& vorbisPage : pages) {
        out.insert(out.end(), vorbisPage.begin(), vorbisPage.end());
        // Both first pages come before any other page of either stream.
        if (&vorbisPage != &pages.front())
            putPacket(data, number++, false, false);
    }
    putPacket(data, number, false, true);
    ogg_stream_clear(&other);
    return out;
}

std::vector<std::uint8_t> withXingFrameCount(std::vector<std::uint8_t> mp3, std::uint32_t frames)
{
    const std::size_t searched = std::min<std::size_t>(mp3.size(), 4096);
    for (std::size_t at = 0; at + 12 <= searched; ++at) {
        const std::string_view tag(reinterpret_cast<const char*>(mp3.data() + at), 4);
        // A count follows when bit 0 of the big-endian flags is set.
        if ((tag == "Xing" || tag == "Info") && (mp3[at + 7] & 1)) {
            for (int i = 0; i < 4; ++i)
                mp3[at + 8 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(frames >> (24 - 8 * i));
            return mp3;
        }
    }
    throw std::runtime_error("no Xing frame count in the MP3 file");
}

} // namespace windlecroft::test
