#pragma once

#include "app/Application.h"
#include "base/Error.h"
#include "config/SkinConfigLoader.h"
#include "config/SkinWriter.h"
#include "platform/headless/HeadlessDesktop.h"
#include "platform/headless/ManualClock.h"
#include "platform/headless/NullAudioOutput.h"

#include "unit/resources/BmpBuilder.h"

#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace windlecroft::test {

/** A 24-bit BMP of width x height filled with one colour (0x00RRGGBB). */
inline std::vector<std::uint8_t> solidPicture(int width, int height, std::uint32_t colour)
{
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    std::vector<std::uint8_t> data(static_cast<std::size_t>(rowBytes * height), 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = data.data() + static_cast<std::size_t>(y * rowBytes + x * 3);
            p[0] = static_cast<std::uint8_t>(colour);
            p[1] = static_cast<std::uint8_t>(colour >> 8);
            p[2] = static_cast<std::uint8_t>(colour >> 16);
        }
    }
    return BmpBuilder(width, height, 24).pixels(data).build();
}

/**
 * An Application on a headless desktop (layered or not) whose archive is given in memory, and
 * a walk over configuration bytes that reports "loaded" or the message it ended with.
 */
class ConfigRig {
public:
    explicit ConfigRig(bool layered = true, ApplicationOptions options = {})
        : desktop(clock, layered), app(desktop, clock, audio, std::move(options), &log)
    {
    }

    /** Opens an archive holding these entries (plus whatever the test adds to archive first). */
    void openArchive() { app.archive.openBytes(archive.bytes()); }

    std::string walk(const std::vector<std::uint8_t>& config)
    {
        if (!app.archive.isOpen())
            openArchive();
        try {
            walkSkinConfig(config, app);
        } catch (const Error& error) {
            return error.what();
        }
        return "loaded";
    }

    std::string walk(SkinConfigWriter& writer) { return walk(writer.finish()); }

    ManualClock clock;
    HeadlessDesktop desktop;
    NullAudioOutput audio;
    std::ostringstream log;
    ArchiveWriter archive;
    Application app;
};

/** Sets the root chunk's length (bytes 2..5) to the size of the bytes, as a writer would. */
inline void fitRoot(std::vector<std::uint8_t>& bytes)
{
    const auto length = static_cast<std::uint32_t>(bytes.size());
    for (int i = 0; i < 4; ++i)
        bytes[2 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(length >> (8 * i));
}

} // namespace windlecroft::test
