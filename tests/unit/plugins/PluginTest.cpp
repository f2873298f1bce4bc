#include "base/Error.h"
#include "plugins/Plugin.h"
#include "plugins/PluginContext.h"
#include "support/Process.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <fstream>

#include <string>
#include <vector>

using namespace windlecroft;

namespace {

const std::filesystem::path pluginDir = TEST_PLUGIN_DIR;

std::string loadError(const std::string& name, const PluginSearch& search)
{
    try {
        Plugin::load(name, search);
    } catch (const Error& error) {
        return error.what();
    }
    return "loaded";
}

// The recorder's log, read through a second handle on the same library.
class RecorderLog {
public:
    explicit RecorderLog(const std::filesystem::path& path) : handle_(dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD)) {}
    ~RecorderLog()
    {
        if (handle_)
            dlclose(handle_);
    }
    std::vector<std::string> events() const
    {
        auto count = reinterpret_cast<int (*)()>(dlsym(handle_, "recorder_event_count"));
        auto event = reinterpret_cast<const char* (*)(int)>(dlsym(handle_, "recorder_event"));
        std::vector<std::string> result;
        for (int i = 0; i < count(); ++i)
            result.emplace_back(event(i));
        return result;
    }
    bool loaded() const { return handle_ != nullptr; }

private:
    void* handle_;
};

} // namespace

TEST(Plugin, OperationsAreCalledThroughTheObjectsFirstWord)
{
    PluginContext context;
    std::vector<std::uint32_t> pixels(4 * 3, 0);
    context.setSurface(pixels.data(), 4, 3, 4);
    context.setTrackNames({"t0", "a title longer than sixteen"});
    context.setPageName("intro");
    auto plugin = Plugin::load("recorder.so", {pluginDir, {}});
    plugin->start(context.record());

    context.setPageName("a page name longer than sixteen bytes");
    context.pluginCommand() = 5;
    context.currentIndex() = 3;
    context.setPlaying(true);
    plugin->draw(context.record());
    EXPECT_EQ(pixels[0], 0x00ABCDEFu);

    RecorderLog log(pluginDir / "recorder.so");
    ASSERT_TRUE(log.loaded());
    EXPECT_EQ(log.events(), (std::vector<std::string>{
                                "start page=intro command=0 index=0 playing=0 names=2/2:t0,a title longer than sixteen",
                                "draw page=a page name longer than sixteen bytes command=5 index=3 playing=1 "
                                "names=2/2:t0,a title longer than sixteen"}));
}

TEST(Plugin, PlainCPluginsWorkThroughTheOperationTable)
{
    PluginContext context;
    auto plugin = Plugin::load("ccounter.so", {pluginDir, {}});
    plugin->start(context.record());
    plugin->draw(context.record());
    plugin->draw(context.record());
    void* handle = dlopen((pluginDir / "ccounter.so").c_str(), RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(reinterpret_cast<int (*)()>(dlsym(handle, "ccounter_starts"))(), 1);
    EXPECT_EQ(reinterpret_cast<int (*)()>(dlsym(handle, "ccounter_draws"))(), 2);
    dlclose(handle);
    // Destroying the plugin closes the library: nothing else holds it now.
    plugin.reset();
    EXPECT_EQ(dlopen((pluginDir / "ccounter.so").c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr);
}

TEST(Plugin, LoadFailuresCarryTheFileName)
{
    const PluginSearch search{pluginDir, {}};
    EXPECT_EQ(loadError("missing.so", search), "can't load plugin missing.so");
    EXPECT_EQ(loadError("", search), "can't load plugin ");
    EXPECT_EQ(loadError("nocreate.so", search), "can't find PluginCreateProc in nocreate.so");
    EXPECT_EQ(loadError("nullcreate.so", search), "can't create plugin class from nullcreate.so");
    // A file that is no library at all.
    windlecroft::test::TempDir dir;
    std::ofstream(dir / "text.so") << "not a library";
    EXPECT_EQ(loadError("text.so", {dir.path(), {}}), "can't load plugin text.so");
    // The loader's own reason comes along for stderr: what the system said, or where it looked.
    const auto detailOf = [](const std::string& name, const PluginSearch& search) {
        try {
            Plugin::load(name, search);
        } catch (const Error& error) {
            return error.detail();
        }
        return std::string();
    };
    EXPECT_NE(detailOf("text.so", {dir.path(), {}}).find("text.so"), std::string::npos);
    EXPECT_EQ(detailOf("missing.so", {dir.path(), {}}), "no missing.so in " + dir.path().string());
}

TEST(Plugin, NamesThatReachOutsideTheSearchedFoldersAreNeverOpened)
{
    windlecroft::test::TempDir root;
    std::filesystem::create_directory(root / "skin");
    std::filesystem::copy_file(pluginDir / "marker.so", root / "marker.so");
    const std::filesystem::path marker = root / "loaded";
    setenv("WINDLECROFT_PLUGIN_MARKER", marker.c_str(), 1);
    const PluginSearch search{root / "skin", {}};
    for (const std::string& name : std::vector<std::string>{"../marker.so", (root / "marker.so").string(), "..\\marker.so", "..", "libm.so.6"})
        EXPECT_EQ(loadError(name, search), "can't load plugin " + name);
    EXPECT_FALSE(std::filesystem::exists(marker)) << "a library outside the skin folder was opened";
    // The same library inside the skin folder is opened (and its constructor runs).
    std::filesystem::rename(root / "marker.so", root / "skin" / "marker.so");
    EXPECT_EQ(loadError("marker.dll", search), "can't create plugin class from marker.dll");
    EXPECT_TRUE(std::filesystem::exists(marker));
    unsetenv("WINDLECROFT_PLUGIN_MARKER");
}

TEST(Plugin, BareNamesAreFoundInTheSkinFolderThenTheProgramFolderAndDllNamesFallBack)
{
    windlecroft::test::TempDir skin;
    std::filesystem::copy_file(pluginDir / "nullcreate.so", skin / "which.so");
    windlecroft::test::TempDir program;
    std::filesystem::copy_file(pluginDir / "nocreate.so", program / "which.so");
    std::filesystem::copy_file(pluginDir / "nocreate.so", program / "only-here.so");

    // The skin folder's copy wins over the program folder's.
    EXPECT_EQ(loadError("which.so", {skin.path(), program.path()}), "can't create plugin class from which.so");
    EXPECT_EQ(loadError("only-here.so", {skin.path(), program.path()}), "can't find PluginCreateProc in only-here.so");
    // "x.dll" that does not exist is retried as the platform's "x.so"; the message keeps the configured name.
    EXPECT_EQ(loadError("which.dll", {skin.path(), program.path()}), "can't create plugin class from which.dll");
    EXPECT_EQ(loadError("which.DLL", {skin.path(), program.path()}), "can't create plugin class from which.DLL");
    EXPECT_EQ(loadError("none.dll", {skin.path(), program.path()}), "can't load plugin none.dll");
}

TEST(PluginHeader, RecordLayoutIsFixedOn32BitX86)
{
    // Compile the public header as a 32-bit C translation unit; its static assertions check
    // the record's size and offsets. Skipped where no 32-bit toolchain is installed.
    windlecroft::test::TempDir dir;
    std::ofstream(dir / "probe.c") << "#include <stdint.h>\nint main(void) { return 0; }\n";
    windlecroft::test::Process::Options options;
    auto probe = windlecroft::test::runProcess({"gcc", "-m32", "-fsyntax-only", (dir / "probe.c").string()}, options);
    if (probe.status != 0)
        GTEST_SKIP() << "no 32-bit toolchain: " << probe.errors;
    std::ofstream(dir / "layout.c") << "#include \"" PLUGIN_HEADER "\"\n";
    for (const char* language : {"c", "c++"}) {
        auto result = windlecroft::test::runProcess(
            {"gcc", "-m32", "-fsyntax-only", "-Wall", "-Wextra", "-Werror", "-x", language, (dir / "layout.c").string()},
            options);
        EXPECT_EQ(result.status, 0) << language << ": " << result.errors;
    }
}
