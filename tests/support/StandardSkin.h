#pragma once

#include "support/AppHarness.h"

#include <string>
#include <vector>

namespace windlecroft::test {

// String-mapping indices of the standard test skin.
enum Mapping : std::uint16_t { toDay = 0, toEvening = 1, toNight = 2, toOutro = 3, toEmpty = 4, toIntro = 5 };

/** Extra records for the pages of the standard skin, by page. */
struct PageRecords {
    std::function<void(SkinConfigWriter&)> intro, day, evening, night, outro;
};

/**
 * The standard test skin: the five scenes with distinct colours, the string mapping above and
 * a 17-entry playlist of names the player cannot play (so positions can change without sound).
 */
inline void buildStandardSkin(TestSkin& skin, std::string_view startScene, bool crossFadeDay, bool crossFadeNight,
                              const PageRecords& records = {})
{
    skin.config.startScene(startScene);
    skin.config.stringMapping(6, {{"dzien", toDay}, {"wieczor", toEvening}, {"noc", toNight},
                                  {"outro", toOutro}, {"empty", toEmpty}, {"intro", toIntro}});
    skin.addPage("intro", introColours, false, records.intro);
    skin.addPage("dzien", dayColours, crossFadeDay, records.day);
    skin.addPage("wieczor", eveningColours, false, records.evening);
    skin.addPage("noc", nightColours, crossFadeNight, records.night);
    skin.addPage("outro", outroColours, false, records.outro);
    SkinConfigWriter& c = skin.config;
    c.begin(0x1000);
    c.out().u8(1);
    c.out().u16(17);
    for (int i = 0; i < 17; ++i) {
        c.out().string("title " + std::to_string(i));
        c.out().string("silent" + std::to_string(i) + ".none");
    }
    c.end();
}

/** The colour a constant-alpha blend of source over destination gives, per channel. */
inline std::uint32_t blended(std::uint32_t source, std::uint32_t destination, unsigned alpha)
{
    std::uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const unsigned s = (source >> shift) & 0xFF;
        const unsigned d = (destination >> shift) & 0xFF;
        result |= ((s * alpha + d * (255 - alpha) + 127) / 255) << shift;
    }
    return result;
}

} // namespace windlecroft::test
