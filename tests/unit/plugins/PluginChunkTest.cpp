#include "app/Application.h"
#include "base/Error.h"
#include "app/SkinBuilder.h"
#include "support/SkinConfigWriter.h"
#include "platform/headless/HeadlessDesktop.h"
#include "platform/headless/NullAudioOutput.h"
#include "platform/headless/ManualClock.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <sstream>

using namespace windlecroft;

namespace {

const std::filesystem::path pluginDir = TEST_PLUGIN_DIR;

ApplicationOptions optionsFor(const test::TempDir& dir)
{
    ApplicationOptions options;
    options.skinDir = dir.path();
    return options;
}

class PluginChunkTest : public ::testing::Test {
protected:
    std::string load(SkinConfigWriter& config)
    {
        config.save(dir / configFileName);
        ArchiveWriter archive;
        archive.add("Data\\panel.rgn", std::vector<std::uint8_t>(100 * 100, 0));
        archive.save(dir / dataFileName);
        try {
            app.loadConfig();
        } catch (const Error& error) {
            return error.what();
        }
        return "loaded";
    }

    std::string firstEvent(const std::string& file)
    {
        void* handle = dlopen((dir / file).c_str(), RTLD_NOW | RTLD_NOLOAD);
        if (!handle)
            return "not loaded";
        auto event = reinterpret_cast<const char* (*)(int)>(dlsym(handle, "recorder_event"));
        auto count = reinterpret_cast<int (*)()>(dlsym(handle, "recorder_event_count"));
        std::string text = count() > 0 ? event(0) : "no event";
        dlclose(handle);
        return text;
    }

    test::TempDir dir;
    ManualClock clock;
    HeadlessDesktop desktop{clock};
    NullAudioOutput audio;
    std::ostringstream log;
    Application app{desktop, clock, audio, optionsFor(dir), &log};
};

} // namespace

TEST_F(PluginChunkTest, PluginsLoadWhileReadingAndStartNewestFirst)
{
    std::filesystem::copy_file(pluginDir / "recorder.so", dir / "a.so");
    std::filesystem::copy_file(pluginDir / "recorder.so", dir / "b.so");
    SkinConfigWriter config("t", 100, 100);
    config.plugin("first", "a.so");
    config.plugin("second", "b.dll");
    ASSERT_EQ(load(config), "loaded");
    EXPECT_EQ(app.skin().plugins().size(), 2u);
    ASSERT_NE(app.skin().plugins().find("second"), nullptr);
    EXPECT_EQ(app.skin().plugins().find("second")->fileName(), "b.dll");

    app.startScenes();
    // Each start bumps the command field: B, loaded last, starts first.
    EXPECT_NE(firstEvent("b.so").find("start page= command=0"), std::string::npos) << firstEvent("b.so");
    EXPECT_NE(firstEvent("a.so").find("start page= command=1"), std::string::npos) << firstEvent("a.so");
}

TEST_F(PluginChunkTest, AMissingLibraryEndsTheLoadWithItsName)
{
    SkinConfigWriter config("t", 100, 100);
    config.plugin("spectrum", "nowhere.dll");
    EXPECT_EQ(load(config), "can't load plugin nowhere.dll");
}
