// Plugins named by a skin: the three load messages, the order of start,
// one start and one unload however many pages attach a plugin, and the playlist names the
// plugins read from the context.
#include "app/Application.h"
#include "base/Error.h"
#include "app/SkinBuilder.h"
#include "support/SkinConfigWriter.h"
#include "elements/Page.h"
#include "platform/headless/HeadlessDesktop.h"
#include "platform/headless/ManualClock.h"
#include "platform/headless/NullAudioOutput.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <filesystem>
#include <memory>
#include <sstream>

using namespace windlecroft;

namespace {

const std::filesystem::path pluginDir = TEST_PLUGIN_DIR;

/** What the tagger plugin leaves in the top row: (kind << 16) | (0xAB << 8) | letter. */
std::uint32_t startMark(char letter) { return 0x50u << 16 | 0xABu << 8 | static_cast<unsigned char>(letter); }
std::uint32_t drawMark(char letter) { return 0xD0u << 16 | 0xABu << 8 | static_cast<unsigned char>(letter); }

class PluginSkin : public ::testing::Test {
protected:
    PluginSkin()
    {
        ApplicationOptions options;
        options.skinDir = dir.path();
        app = std::make_unique<Application>(desktop, clock, audio, options, &log);
    }

    void copyPlugin(const char* plugin, const char* as)
    {
        std::filesystem::copy_file(pluginDir / (std::string(plugin) + ".so"), dir / as);
    }

    /** Writes the skin's two files and loads them; the window exists, as at start-up. */
    std::string load(SkinConfigWriter& config)
    {
        config.save(dir / configFileName);
        ArchiveWriter archive;
        archive.add("Data\\panel.rgn", std::vector<std::uint8_t>(64 * 48, 0));
        archive.save(dir / dataFileName);
        try {
            app->createMainWindow();
            app->loadConfig();
        } catch (const Error& error) {
            return error.what();
        }
        return "loaded";
    }

    std::uint32_t topRow(int x) const { return app->backBuffer().surface().pixel(x, 0); }

    /** True while the library at path is loaded into the process. */
    static bool isLoaded(const std::filesystem::path& path)
    {
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
        if (handle)
            dlclose(handle);
        return handle != nullptr;
    }

    test::TempDir dir;
    ManualClock clock;
    HeadlessDesktop desktop{clock};
    NullAudioOutput audio;
    std::ostringstream log;
    std::unique_ptr<Application> app;
};

} // namespace

TEST_F(PluginSkin, EachLoadFailureEndsTheLoadWithItsMessage)
{
    copyPlugin("nocreate", "nocreate.so");
    copyPlugin("nullcreate", "nullcreate.dll");
    const std::vector<std::pair<std::string, std::string>> cases{
        {"nowhere.dll", "can't load plugin nowhere.dll"},
        {"sub/nowhere.so", "can't load plugin sub/nowhere.so"},
        {"nocreate.so", "can't find PluginCreateProc in nocreate.so"},
        {"nullcreate.dll", "can't create plugin class from nullcreate.dll"},
    };
    for (const auto& [file, message] : cases) {
        SkinConfigWriter config("t", 64, 48);
        config.plugin("name", file);
        config.startScene("never read");
        ApplicationOptions options;
        options.skinDir = dir.path();
        app = std::make_unique<Application>(desktop, clock, audio, options, &log);
        EXPECT_EQ(load(config), message);
        EXPECT_EQ(app->scenes().currentScene(), "") << "the load ends at the plugin";
        EXPECT_EQ(app->skin().plugins().size(), 0u);
    }
}

TEST_F(PluginSkin, PluginsLoadedAThenBStartBThenA)
{
    for (const char* name : {"a.so", "b.so", "c.so"})
        copyPlugin("tagger", name);
    SkinConfigWriter config("t", 64, 48);
    config.plugin("A", "a.so");
    config.plugin("B", "b.so");
    config.plugin("C", "c.so");
    ASSERT_EQ(load(config), "loaded");
    EXPECT_EQ(topRow(0), 0u) << "loading starts nothing";
    app->startScenes();
    EXPECT_EQ(topRow(0), startMark('c'));
    EXPECT_EQ(topRow(1), startMark('b'));
    EXPECT_EQ(topRow(2), startMark('a'));
    EXPECT_EQ(topRow(3), 0u);
}

TEST_F(PluginSkin, APluginOnTwoPagesStartsOnceDrawsForEachAndUnloadsOnce)
{
    copyPlugin("tagger", "t.so");
    copyPlugin("tagger", "u.so");
    SkinConfigWriter config("t", 64, 48);
    config.plugin("vis", "t.so");
    config.plugin("idle", "u.so"); // attached nowhere: started, never drawn
    config.beginPage("dzien", "");
    config.pagePlugin("vis", 0);
    config.endPage();
    config.beginPage("noc", "");
    config.pagePlugin("vis", 1);
    config.endPage();
    ASSERT_EQ(load(config), "loaded");
    app->startScenes();
    EXPECT_EQ(topRow(0), startMark('u'));
    EXPECT_EQ(topRow(1), startMark('t'));
    EXPECT_EQ(topRow(2), 0u) << "started once";

    app->skin().page("dzien")->fadeDraw(128);
    app->skin().page("noc")->fadeDraw(128);
    EXPECT_EQ(topRow(2), drawMark('t'));
    EXPECT_EQ(topRow(3), drawMark('t'));
    EXPECT_EQ(topRow(4), 0u);

    ASSERT_TRUE(isLoaded(dir / "t.so"));
    ASSERT_TRUE(isLoaded(dir / "u.so"));
    // Pages are destroyed after the plugin list and only drop their references; a second
    // release of the object or the library would show under the sanitizers.
    app->shutdown();
    app.reset();
    EXPECT_FALSE(isLoaded(dir / "t.so"));
    EXPECT_FALSE(isLoaded(dir / "u.so"));
}

TEST_F(PluginSkin, TheContextHoldsThePlaylistNamesInFileOrderAndTheirCount)
{
    copyPlugin("recorder", "rec.so");
    SkinConfigWriter config("t", 64, 48);
    config.plugin("rec", "rec.so");
    config.tracklist(0, {{"named", "Music\\named.xm"}});
    config.tracklist(1, {{"Alpha", "a.ogg"}, {"Bravo with a name longer than sixteen", "b.ogg"}, {"", ""},
                         {"Delta", "d.xm"}});
    ASSERT_EQ(load(config), "loaded");
    app->startScenes();
    void* handle = dlopen((dir / "rec.so").c_str(), RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(handle, nullptr);
    auto count = reinterpret_cast<int (*)()>(dlsym(handle, "recorder_event_count"));
    auto event = reinterpret_cast<const char* (*)(int)>(dlsym(handle, "recorder_event"));
    ASSERT_EQ(count(), 1);
    const std::string started = event(0);
    dlclose(handle);
    // The count field, the count stored before the array, then the names in file order.
    EXPECT_NE(started.find("names=4/4:Alpha,Bravo with a name longer than sixteen,,Delta"), std::string::npos)
        << started;
}
