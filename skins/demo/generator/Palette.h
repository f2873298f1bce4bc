#pragma once

#include "Colour.h"

namespace windlecroft::demo {

/** The time of day a picture shows; each panel page has one. */
enum class TimeOfDay { Day, Evening, Night };

/** The colours of one panel page. */
struct Palette {
    TimeOfDay time;
    Colour skyTop;
    Colour skyBottom;
    Colour hillsFar;
    Colour hillsNear;
    Colour celestial;     // sun or moon
    Colour celestialGlow;
    Colour silhouette;    // the windmill against the sky
    Colour body;          // the panel's face
    Colour bodyShadow;
    Colour rim;           // the outline
    Colour well;          // sunken areas: playlist, documents
    Colour wellText;
    Colour wellTextDim;
    Colour engraving;     // labels on the body
    Colour skyText;       // the name over the sky
    Colour face;          // buttons
    Colour faceShadow;
    Colour icon;
    Colour iconPressed;
    Colour glow;          // highlighted buttons and lit lamps
    Colour lampOff;
    Colour plate;         // behind the track title, which the player writes in brown
    Colour glass;         // the spectrum's window
};

inline Palette dayPalette()
{
    return {TimeOfDay::Day,
            Colour::hex(0x5C9BD6), Colour::hex(0xBFE0F2), Colour::hex(0x8DB86A), Colour::hex(0x5E9440),
            Colour::hex(0xFFE9A0), Colour::hex(0xFFF6D0), Colour::hex(0x5A4632),
            Colour::hex(0xD9C59A), Colour::hex(0xB39A6C), Colour::hex(0x6B5434),
            Colour::hex(0xF1E7CF), Colour::hex(0x3E2E1A), Colour::hex(0x8A7656),
            Colour::hex(0x5C4526), Colour::hex(0x2E3B55),
            Colour::hex(0xE8D7AE), Colour::hex(0xB89C66), Colour::hex(0x4A3720), Colour::hex(0x2A1E10),
            Colour::hex(0xFFB030), Colour::hex(0x8E7A58),
            Colour::hex(0xF3E6C2), Colour::hex(0x2A2418)};
}

inline Palette eveningPalette()
{
    return {TimeOfDay::Evening,
            Colour::hex(0x4B3A78), Colour::hex(0xF2A05A), Colour::hex(0x8A5A6A), Colour::hex(0x5A3A4C),
            Colour::hex(0xFF8A4A), Colour::hex(0xFFC890), Colour::hex(0x3A2430),
            Colour::hex(0xB98268), Colour::hex(0x8C5C4A), Colour::hex(0x4E2C28),
            Colour::hex(0xF0DCCB), Colour::hex(0x4A2418), Colour::hex(0x946A5A),
            Colour::hex(0x4E2A20), Colour::hex(0xFCE8D0),
            Colour::hex(0xD29C80), Colour::hex(0x9A6650), Colour::hex(0x4A2216), Colour::hex(0x2A1008),
            Colour::hex(0xFF7A3A), Colour::hex(0x7A5046),
            Colour::hex(0xF2DDC4), Colour::hex(0x2A1A1E)};
}

inline Palette nightPalette()
{
    return {TimeOfDay::Night,
            Colour::hex(0x0A1030), Colour::hex(0x26356A), Colour::hex(0x1E2A4E), Colour::hex(0x141C38),
            Colour::hex(0xF2F0DC), Colour::hex(0x8890B8), Colour::hex(0x080C1C),
            Colour::hex(0x37416A), Colour::hex(0x232A4A), Colour::hex(0x101428),
            Colour::hex(0x1A2040), Colour::hex(0xD8DEF6), Colour::hex(0x8088B0),
            Colour::hex(0xB8C2E8), Colour::hex(0xE6EAF8),
            Colour::hex(0x4A5684), Colour::hex(0x2C3458), Colour::hex(0xD0D8F4), Colour::hex(0xF0F0F7),
            Colour::hex(0x7CE0FF), Colour::hex(0x3A4268),
            Colour::hex(0xD6DCEE), Colour::hex(0x060A18)};
}

} // namespace windlecroft::demo
