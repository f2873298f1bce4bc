// The demo skin as `make run` shows it: it loads without a word, leaves its intro by itself,
// and on a real X display every button of its panel posts its action while the music plays.
// The buttons are read from the built skin itself, so the test follows the skin as it changes.
#include "XServer.h"
#include "skin/SkinReader.h"
#include "support/Process.h"
#include "support/SoundMeasure.h"
#include "support/TempDir.h"
#include "support/Eventually.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>

using namespace windlecroft;
using namespace windlecroft::test;
using namespace std::chrono_literals;

namespace {

constexpr std::uint16_t switchPage = 0x8001;
constexpr std::uint16_t minimise = 0xFFFE;
constexpr std::uint16_t toTray = 0xFFFD;

std::string program() { return builtProgram("windlecroft").string(); }
std::filesystem::path demoSkin() { return builtProgram("skins") / "demo"; }

struct Button {
    Rect rect;
    Action action;
};

struct PageActions {
    std::vector<Button> buttons;
    std::vector<Action> enter;
    std::vector<Action> leave;
};

// The built skin, read back: a page's buttons (in file order) and enter and leave actions, and
// the string-mapping index of a name.
class BuiltSkin {
public:
    BuiltSkin()
    {
        std::ifstream file(demoSkin() / "windlecroft.cfg", std::ios::binary);
        const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        config_ = skin::readSkinFile(bytes);
    }

    PageActions page(const std::string& name) const
    {
        PageActions result;
        for (const skin::Chunk& chunk : config_.chunks) {
            const auto* page = std::get_if<skin::PageChunk>(&chunk.body);
            if (page == nullptr || page->name != name)
                continue;
            result = {}; // the page defined last is the one the player shows
            for (const skin::ElementRecord& record : page->records) {
                if (const auto* button = std::get_if<skin::ButtonRecord>(&record.body))
                    result.buttons.push_back({button->rect, button->action});
                if (const auto* list = std::get_if<skin::ActionListRecord>(&record.body)) {
                    if (list->id == enterActionRecord)
                        result.enter.push_back(list->action);
                    if (list->id == leaveActionRecord)
                        result.leave.push_back(list->action);
                }
            }
        }
        return result;
    }

    std::uint16_t mappingIndex(const std::string& text) const
    {
        for (const skin::Chunk& chunk : config_.chunks) {
            if (const auto* mapping = std::get_if<skin::StringMappingChunk>(&chunk.body)) {
                for (const skin::MappingEntry& entry : mapping->entries) {
                    if (entry.text == text)
                        return entry.index;
                }
            }
        }
        ADD_FAILURE() << "the string mapping holds no " << text;
        return 0xFFFF;
    }

private:
    static constexpr std::uint16_t enterActionRecord = 0x4060;
    static constexpr std::uint16_t leaveActionRecord = 0x4070;
    skin::SkinFile config_;
};

std::string traceLine(std::uint16_t code, std::uint16_t arg)
{
    char line[48];
    std::snprintf(line, sizeof line, "windlecroft: action 0x%04X 0x%04X\n", code, arg);
    return line;
}

std::string traceLine(const Action& action)
{
    return traceLine(action.code, action.arg);
}

std::size_t occurrences(const std::string& text, const std::string& line)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1))
        ++count;
    return count;
}

// A person's click: the pointer arrives, rests a moment, and the button goes down and up.
void click(const XServer& x, int screenX, int screenY)
{
    x.query({"xdotool", "mousemove", std::to_string(screenX), std::to_string(screenY)});
    std::this_thread::sleep_for(150ms);
    x.query({"xdotool", "mousedown", "1"});
    std::this_thread::sleep_for(60ms);
    x.query({"xdotool", "mouseup", "1"});
}

} // namespace

TEST(DemoSkin, LoadsHeadlessWithoutAWordAndLeavesItsIntroByItsTimer)
{
    ASSERT_TRUE(std::filesystem::exists(demoSkin() / "windlecroft.cfg")) << "build the demo-skin target first";
    TempDir elsewhere;
    Process::Options options;
    options.workingDir = elsewhere.path();
    options.environment["SDL_AUDIODRIVER"] = "dummy";

    const RunResult quiet = runProcess({program(), "--headless", "--quit-after", "3000", demoSkin().string()}, options);
    EXPECT_EQ(quiet.status, 0) << quiet.errors;
    EXPECT_EQ(quiet.errors, "");

    // The intro's timer switches to the day page once, and the intro's leave actions (which start
    // the music) run once. Started without a skin folder in a folder without windlecroft.cfg, the
    // program opens the demo skin beside it.
    const BuiltSkin skin;
    const RunResult traced = runProcess({program(), "--headless", "--trace-actions", "--quit-after", "7000"}, options);
    EXPECT_EQ(traced.status, 0) << traced.errors;
    EXPECT_EQ(occurrences(traced.errors, traceLine(switchPage, skin.mappingIndex("dzien"))), 1u) << traced.errors;
    for (const Action& action : skin.page("intro").leave)
        EXPECT_EQ(occurrences(traced.errors, traceLine(action)), 1u) << traceLine(action) << traced.errors;
}

TEST(DemoSkinOnX11, EveryPanelButtonPostsItsActionWhileTheMusicPlays)
{
    const BuiltSkin skin;
    const PageActions day = skin.page("dzien");
    const PageActions intro = skin.page("intro");
    const std::vector<Button>& panel = day.buttons;
    ASSERT_GE(panel.size(), 20u);
    ASSERT_FALSE(intro.buttons.empty());
    ASSERT_FALSE(intro.enter.empty());

    XServer x(1024, 768);
    ASSERT_TRUE(x.ready());
    TempDir work;
    TempDir runtime;
    std::filesystem::permissions(runtime.path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::replace);
    const std::filesystem::path heardFile = work / "heard.raw";
    Process::Options options;
    options.workingDir = work.path();
    options.environment.insert({{"DISPLAY", x.display()},
                                {"WAYLAND_DISPLAY", ""},
                                {"QT_QPA_PLATFORM", "xcb"},
                                {"DBUS_SESSION_BUS_ADDRESS", ""},
                                {"XDG_RUNTIME_DIR", runtime.path().string()},
                                // What would be heard goes into a file, at the pace of a sound card.
                                {"SDL_AUDIODRIVER", "disk"},
                                {"SDL_DISKAUDIOFILE", heardFile.string()}});
    Process player({program(), "--trace-actions", demoSkin().string()}, options);

    const auto window = x.waitForWindow("Windlecroft");
    ASSERT_TRUE(window) << player.errors();
    const auto geometry = x.geometry(*window);
    ASSERT_TRUE(geometry);
    const auto clickCentre = [&](const Rect& rect) {
        click(x, geometry->x + (rect.left + rect.right) / 2, geometry->y + (rect.top + rect.bottom) / 2);
    };

    // The intro plays its fanfare; its button (or, failing that, its timer) leads to the day page.
    ASSERT_TRUE(eventually([&] { return occurrences(player.errors(), traceLine(intro.enter.front())) > 0; }, 10s)) << player.errors();
    clickCentre(intro.buttons.front().rect);
    const std::string toDay = traceLine(switchPage, skin.mappingIndex("dzien"));
    ASSERT_TRUE(eventually([&] { return occurrences(player.errors(), toDay) > 0; }, 10s)) << player.errors();
    // Without a compositing manager the switch takes effect on the next frame.
    std::this_thread::sleep_for(300ms);

    // Every button once; the ones that take the window away come last, and leaving for the
    // outro last of all.
    std::vector<Button> order;
    for (const Button& button : panel) {
        if (button.action.code != minimise && button.action.code != toTray && button.action.code != switchPage)
            order.push_back(button);
    }
    for (std::uint16_t last : {minimise, toTray, switchPage}) {
        for (const Button& button : panel) {
            if (button.action.code == last)
                order.push_back(button);
        }
    }
    ASSERT_EQ(order.size(), panel.size());
    for (const Button& button : order) {
        const std::string line = traceLine(button.action);
        const std::size_t before = occurrences(player.errors(), line);
        clickCentre(button.rect);
        // A click during a page's cross-fade is carried out when the fade ends.
        EXPECT_TRUE(eventually([&] { return occurrences(player.errors(), line) > before; }, 6s))
            << "the button at (" << button.rect.left << ", " << button.rect.top << ") did not post " << line;
    }

    // The outro ends the program by itself, through its timer's switch to "empty".
    const auto status = player.wait(20s);
    ASSERT_TRUE(status) << player.errors();
    EXPECT_EQ(*status, 0);
    EXPECT_NE(player.errors().find(traceLine(switchPage, skin.mappingIndex("empty"))), std::string::npos) << player.errors();

    const Heard heard = listen(heardFile);
    // The output is closed while nothing plays (after the stop button, say), so only part of
    // the run is written.
    EXPECT_GT(heard.seconds, 3.0);
    EXPECT_LE(heard.peak, 1.5f) << "not the float samples the player asked for";
    EXPECT_GT(heard.rms, 0.02) << "the fanfare and the playlist should be heard";
}
