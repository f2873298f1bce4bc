#include "app/Application.h"
#include "app/WindowPlacement.h"
#include "app/SkinBuilder.h"
#include "support/SkinConfigWriter.h"
#include "platform/headless/HeadlessDesktop.h"
#include "platform/headless/NullAudioOutput.h"
#include "platform/headless/ManualClock.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

using namespace windlecroft;

namespace {

class ApplicationRun : public ::testing::Test {
protected:
    int run(ApplicationOptions options = {}, bool layered = true)
    {
        options.skinDir = dir.path();
        HeadlessDesktop desktop{clock, layered, {0, 0, 1024, 768}};
        NullAudioOutput audio;
        Application app{desktop, clock, audio, options, &log};
        const int code = app.run();
        lastWindow = desktop.window();
        lastError = desktop.lastError();
        return code;
    }

    // Every skin the scenes start on needs the panel's window shape.
    void writeSkin(SkinConfigWriter& config, int width = 300, int height = 200)
    {
        config.save(dir / configFileName);
        ArchiveWriter archive;
        archive.add("Data\\panel.rgn", std::vector<std::uint8_t>(static_cast<std::size_t>(width * height), 0));
        archive.save(dir / dataFileName);
    }

    test::TempDir dir;
    ManualClock clock;
    std::ostringstream log;
    std::optional<HeadlessDesktop::Window> lastWindow;
    std::string lastError;
};

} // namespace

TEST(Application, InitialValues)
{
    ManualClock clock;
    HeadlessDesktop desktop{clock};
    NullAudioOutput audio;
    Application app{desktop, clock, audio};
    EXPECT_EQ(app.skin().windowTitle(), "Windlecroft          ");
    EXPECT_EQ(app.skin().windowTitle().size(), 21u);
    EXPECT_EQ(app.skin().trayMenu().tip(), "Velkor  ");
    EXPECT_EQ(app.skin().windowWidth(), 640);
    EXPECT_EQ(app.skin().windowHeight(), 480);
    EXPECT_EQ(app.skin().timing().crossFadeTime, 1500);
    EXPECT_EQ(app.skin().timing().musicFadeTime, 1500);
    EXPECT_EQ(app.skin().timing().highlightStep, 5);
    EXPECT_EQ(app.scenes().phase(), ScenePhase::IntroFadeIn);
    EXPECT_TRUE(app.scenes().alphaActive());
    EXPECT_EQ(app.scenes().windowAlpha(), 0);
    EXPECT_FALSE(app.scenes().switchPending());
    EXPECT_EQ(app.skin().trackScenes()[0], "dzien");
    EXPECT_EQ(app.skin().trackScenes()[6], "dzien");
    EXPECT_EQ(app.skin().trackScenes()[7], "wieczor");
    EXPECT_EQ(app.skin().trackScenes()[12], "wieczor");
    EXPECT_EQ(app.skin().trackScenes()[13], "noc");
    EXPECT_EQ(app.skin().trackScenes()[16], "noc");
}

TEST(WindowPlacement, CentredAndNeverNegative)
{
    EXPECT_EQ(centredWindowPosition({0, 0, 1024, 768}, 600, 510), (std::pair{212, 129}));
    EXPECT_EQ(centredWindowPosition({0, 0, 1025, 769}, 600, 510), (std::pair{212, 129}));
    EXPECT_EQ(centredWindowPosition({0, 0, 500, 768}, 600, 510), (std::pair{0, 129}));
    EXPECT_EQ(centredWindowPosition({100, 50, 1124, 818}, 600, 510), (std::pair{312, 179}));
}

TEST_F(ApplicationRun, MissingConfigReportsAndNeverCreatesTheWindow)
{
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(lastError, "can't open config file");
    EXPECT_EQ(log.str().rfind("windlecroft: can't open config file\nwindlecroft: no readable windlecroft.cfg in ", 0), 0u)
        << log.str();
    EXPECT_FALSE(lastWindow);
}

TEST_F(ApplicationRun, MissingArchiveIsReportedAfterTheWindowExisted)
{
    SkinConfigWriter("Title", 300, 200).save(dir / configFileName);
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(lastError, "can't open data file");
}

TEST_F(ApplicationRun, CorruptRootIsReported)
{
    writeFile(dir / configFileName, std::vector<std::uint8_t>{0x02, 0x58, 0x0B, 0, 0, 0, 0, 0x80, 0x02, 0xE0, 0x01});
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(lastError, "config file corrupted, first chunk should be 0x0258");
}

// Whatever a library or the system raises, not only the player's own errors, takes the same
// path: the message shown and on stderr, status 1, the window gone.
TEST_F(ApplicationRun, AnyExceptionIsReportedAndEndsWithStatusOne)
{
    class ThrowingOutput final : public AudioOutput {
    public:
        explicit ThrowingOutput(bool standard) : standard_(standard) {}
        void start(AudioSource&) override
        {
            if (standard_)
                throw std::runtime_error("device vanished");
            throw 7;
        }
        void stop() override {}

    private:
        bool standard_;
    };
    SkinConfigWriter config("t", 300, 200);
    writeSkin(config);
    for (const bool standard : {true, false}) {
        HeadlessDesktop desktop{clock};
        ThrowingOutput audio(standard);
        ApplicationOptions options;
        options.skinDir = dir.path();
        std::ostringstream said;
        Application app{desktop, clock, audio, options, &said};
        EXPECT_EQ(app.run(), 1);
        const std::string message = standard ? "device vanished" : "unknown error";
        EXPECT_EQ(desktop.lastError(), message);
        EXPECT_EQ(said.str(), "windlecroft: " + message + "\n");
        EXPECT_FALSE(desktop.window());
    }
}

TEST_F(ApplicationRun, QuitAfterClosesNormallyWithTheConfiguredWindow)
{
    SkinConfigWriter config("Skin title", 300, 200);
    writeSkin(config);
    const std::uint64_t start = clock.now();
    ApplicationOptions options;
    options.quitAfterMs = 500;
    EXPECT_EQ(run(options), 0);
    EXPECT_EQ(lastError, "");
    EXPECT_GE(clock.now() - start, 500u);
    EXPECT_LT(clock.now() - start, 600u);
    // The window was destroyed at shutdown.
    EXPECT_FALSE(lastWindow);
}

TEST_F(ApplicationRun, WindowIsCentredWithTheConfiguredTitleAndSize)
{
    SkinConfigWriter config("Skin title", 300, 200);
    writeSkin(config);
    for (bool layered : {true, false}) {
        HeadlessDesktop desktop{clock, layered, {0, 0, 1024, 768}};
        NullAudioOutput audio;
        ApplicationOptions options;
        options.skinDir = dir.path();
        Application app{desktop, clock, audio, options, &log};
        app.preReadConfig();
        app.createMainWindow();
        ASSERT_TRUE(desktop.window());
        EXPECT_EQ(desktop.window()->title, "Skin title");
        EXPECT_EQ(desktop.window()->x, 362);
        EXPECT_EQ(desktop.window()->y, 284);
        EXPECT_EQ(desktop.window()->width, 300);
        EXPECT_EQ(desktop.window()->height, 200);
        // Layered: shown at once (transparent); otherwise the start of the scenes shows it.
        EXPECT_EQ(desktop.window()->visible, layered);
        app.loadConfig();
        app.startScenes();
        EXPECT_TRUE(desktop.window()->visible);
        app.shutdown();
        EXPECT_FALSE(desktop.window());
    }
}

TEST_F(ApplicationRun, TraceActionsPrintsEveryActionLastPostedFirst)
{
    SkinConfigWriter config("t", 300, 200);
    writeSkin(config);
    HeadlessDesktop desktop{clock};
    NullAudioOutput audio;
    ApplicationOptions options;
    options.skinDir = dir.path();
    options.traceActions = true;
    Application app{desktop, clock, audio, options, &log};
    app.postAction(0x1002, 0);
    app.postAction(0x1001, 0);
    app.frameUpdate();
    EXPECT_EQ(log.str(), "windlecroft: action 0x1001 0x0000\nwindlecroft: action 0x1002 0x0000\n");
    EXPECT_TRUE(app.actions().empty());

    // While a scene change is pending, posted actions wait in the queue; restoring the window
    // and quitting never wait.
    app.scenes().requestPageSwitch("empty");
    app.postAction(0x1002, 0x00AB);
    app.postAction(0xFFFC, 0);
    app.postAction(0xFFFF, 0);
    app.frameUpdate();
    EXPECT_EQ(app.actions().size(), 1u);
    EXPECT_NE(log.str().find("windlecroft: action 0xFFFF 0x0000\nwindlecroft: action 0xFFFC 0x0000\n"), std::string::npos);
    app.frameRender();
    app.frameUpdate();
    EXPECT_NE(log.str().find("windlecroft: action 0x1002 0x00AB\n"), std::string::npos);
}
