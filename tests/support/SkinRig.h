#pragma once

#include "app/ApplicationOptions.h"
#include "app/Skin.h"
#include "app/SkinBuilder.h"
#include "audio/AudioEngine.h"
#include "audio/Player.h"
#include "base/ActionQueue.h"
#include "base/Error.h"
#include "elements/PageContext.h"
#include "platform/headless/ManualClock.h"
#include "platform/headless/NullAudioOutput.h"
#include "plugins/PluginContext.h"
#include "resources/Canvas.h"
#include "support/SkinConfigWriter.h"

#include <cstdint>
#include <span>
#include <sstream>
#include <string>
#include <vector>

namespace windlecroft::test {

/**
 * A skin built from configuration bytes without an Application: the Skin, the builder and what
 * its pages share (a manual clock, an action queue, a player over the skin's archive with a
 * null output, a canvas, the plugin record). walk() reports "loaded" or the message the build
 * ended with.
 */
class SkinRig {
public:
    explicit SkinRig(bool layered = true, ApplicationOptions options = {}) : layered_(layered), options_(std::move(options))
    {
    }

    /** Opens an archive holding these entries (plus whatever the test adds to archive first). */
    void openArchive() { builder().openArchive(std::vector<std::uint8_t>(archive.bytes())); }

    std::string walk(std::span<const std::uint8_t> config)
    {
        try {
            if (!skin.archive().isOpen())
                openArchive();
            builder().build(config);
        } catch (const Error& error) {
            return error.what();
        }
        return "loaded";
    }
    std::string walk(const SkinConfigWriter& writer) { return walk(writer.finish()); }

    /** Reads the root alone, as the player does before its window exists. */
    std::string readRoot(std::span<const std::uint8_t> config)
    {
        try {
            builder().readRoot(config);
        } catch (const Error& error) {
            return error.what();
        }
        return "loaded";
    }

    SkinBuilder builder()
    {
        return SkinBuilder(skin, {context, plugins, layered_, {options_.skinDir, options_.pluginDir}, log});
    }

    ManualClock clock;
    std::ostringstream log;
    ArchiveWriter archive;
    ActionQueue actions;
    Skin skin;
    PluginContext plugins;
    Canvas canvas;
    Canvas scratch;
    AudioEngine engine{log};
    Player player{engine, skin.archive(), skin.playlist(), plugins.currentIndex()};
    NullAudioOutput audio;
    PageContext context{actions, clock, skin.timing().highlightStep, skin.windowWidth(), skin.windowHeight(),
                        player, canvas, scratch, plugins.record()};

private:
    bool layered_;
    ApplicationOptions options_;
};

/** Sets the root chunk's length (bytes 2..5) to the size of the bytes, as a writer would. */
inline void fitRoot(std::vector<std::uint8_t>& bytes)
{
    const auto length = static_cast<std::uint32_t>(bytes.size());
    for (int i = 0; i < 4; ++i)
        bytes[2 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(length >> (8 * i));
}

} // namespace windlecroft::test
