#include "app/Application.h"
#include "base/Error.h"
#include "config/ByteReader.h"
#include "config/ChunkDispatch.h"
#include "config/ChunkIds.h"
#include "config/ChunkReaders.h"
#include "elements/Page.h"

namespace windlecroft {

namespace {

const Font& findFont(Application& app, const std::string& name)
{
    const Font* font = app.fonts.find(name);
    if (!font)
        throw Error("config file corrupted, can't find font named " + name);
    return *font;
}

Action readAction(ByteReader& in)
{
    const std::uint16_t code = in.u16();
    const std::uint16_t arg = in.u16();
    return {code, arg};
}

// Reads one element record's fields and builds it; unknown ids are skipped by their length.
void readElementRecord(ByteReader& in, Application& app, Page& page, std::uint16_t id, std::uint32_t length)
{
    switch (id) {
    case record::button: {
        const Rect rect = in.rect();
        const Action action = readAction(in);
        page.addButton(rect, action.code, action.arg);
        break;
    }
    case record::keyBinding: {
        const std::uint8_t key = in.u8();
        const Action action = readAction(in);
        page.addKeyBinding(key, action.code, action.arg);
        break;
    }
    case record::indicator: {
        std::string state = in.string();
        const Rect rect = in.rect();
        page.addIndicator(rect, std::move(state));
        break;
    }
    case record::backgroundAction:
        page.addBackgroundAction(readAction(in));
        break;
    case record::rightClickAction:
        page.addRightClickAction(readAction(in));
        break;
    case record::enterAction:
        page.addEnterAction(readAction(in));
        break;
    case record::leaveAction:
        page.addLeaveAction(readAction(in));
        break;
    case record::textList: {
        const Rect rect = in.rect();
        const std::uint8_t mode = in.u8();
        const std::string fontName = in.string();
        const std::uint8_t rowHeight = in.u8();
        // The font is looked up before the mode is checked.
        const Font& font = findFont(app, fontName);
        if (mode > 1)
            throw Error("config file corrupted, unknown playlist mode");
        // Mode 0 is the single-click list, mode 1 the one only a double click activates.
        page.setTextList(mode == 0 ? 1 : 0, rect, &font, rowHeight);
        break;
    }
    case record::slider: {
        const Rect rect = in.rect();
        const std::uint8_t releaseOnly = in.u8();
        const std::uint8_t orientation = in.u8();
        const std::string knob = in.string();
        const std::uint16_t sliderId = in.u16();
        if (releaseOnly > 1 || orientation > 1)
            throw Error("config file corrupted, unknown slider orientation or type");
        page.addSlider(static_cast<Slider::Orientation>(orientation), releaseOnly == 1, rect, knob, sliderId,
                       app.imageLoadContext());
        break;
    }
    case record::textViewer: {
        const Rect rect = in.rect();
        const std::string fontName = in.string();
        const std::uint8_t rowHeight = in.u8();
        page.setTextViewer(rect, &findFont(app, fontName), rowHeight);
        break;
    }
    case record::textBlock: {
        std::string title = in.string();
        const std::string file = in.string();
        // Every document's text counts, a document named twice twice over.
        if (!app.documentBudget().spend(page.addViewerDocument(file, std::move(title), app.archive)))
            throw Error("config file corrupted, documents too large");
        break;
    }
    case record::pageTimer: {
        std::uint64_t delay = in.u32();
        const Action action = readAction(in);
        // Without translucent windows the intro has no fade, so a timed switch waits a second longer.
        if (!app.desktop.supportsLayered() && action.code == 0x8001)
            delay += 1000;
        page.addTimer(delay, action.code, action.arg);
        break;
    }
    case record::pagePlugin: {
        const std::string name = in.string();
        const std::uint8_t mode = in.u8();
        Plugin* plugin = app.plugins.find(name);
        if (!plugin)
            throw Error("config file corrupted, can't find plugin named " + name);
        if (mode > 1)
            throw Error("config file corrupted, unknown plugin mode");
        page.addPlugin(mode, *plugin);
        break;
    }
    case record::wheelZone: {
        const Rect rect = in.rect();
        const Action up = readAction(in);
        const Action down = readAction(in);
        page.addWheelZone(rect, up, down);
        break;
    }
    default:
        if (length < chunk::headerSize)
            throw Error("config file corrupted, chunk length smaller than its header");
        in.skip(length - chunk::headerSize);
        break;
    }
}

} // namespace

void readPageChunk(ChunkContext& chunk)
{
    ByteReader& in = chunk.in;
    Application& app = chunk.app;
    const std::uint64_t chunkEnd = static_cast<std::uint64_t>(in.position()) - chunk::headerSize + chunk.length;

    std::string name = in.string();
    const std::string normalImage = in.string();
    const std::string pressedImage = in.string();
    const std::string highlightImage = in.string();
    in.string(); // reserved
    const bool crossFade = in.u8() != 0;

    Page& page = app.pages.add(std::move(name), std::make_unique<Page>(app.pageContext(), normalImage, pressedImage,
                                                                      highlightImage, crossFade, app.imageLoadContext()));
    // The element records fill the rest of the chunk; the walk also stops at the end of the file.
    while (!in.atEnd() && in.position() < chunkEnd) {
        std::uint16_t id = 0;
        std::uint32_t length = 0;
        in.readU16(id);
        in.readU32(length);
        if (in.ranOut())
            break;
        readElementRecord(in, app, page, id, length);
    }
}

} // namespace windlecroft
