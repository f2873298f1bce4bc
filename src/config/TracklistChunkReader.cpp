#include "app/Application.h"
#include "base/Error.h"
#include "config/ByteReader.h"
#include "config/ChunkDispatch.h"
#include "config/ChunkReaders.h"

#include <vector>

namespace windlecroft {

// Type 0 fills the named tracks (archive entries played on the side channel); type 1 adds to
// the playlist (disk files), a line to the text list of every page defined so far, and the
// names the plugins see. The type is checked after the first entry's strings.
void readTracklistChunk(ChunkContext& chunk)
{
    ByteReader& in = chunk.in;
    Application& app = chunk.app;
    const std::uint8_t type = in.u8();
    const std::uint16_t count = in.u16();
    std::vector<std::string> names;
    // A count beyond the end of the file would only add empty entries: the list ends there,
    // as the tray menu's does.
    for (std::uint32_t i = 0; i < count && !in.atEnd(); ++i) {
        std::string name = in.string();
        std::string file = in.string();
        if (type == 0) {
            app.namedTracks.add(std::move(name), std::make_unique<TrackEntry>(std::move(file), true));
        } else if (type == 1) {
            app.playlist.addTrack(std::move(file), name);
            for (const auto& [pageName, page] : app.pages)
                page->addTextListLine(name);
            names.push_back(std::move(name));
        } else {
            throw Error("config file corrupted, unknown tracklist type");
        }
    }
    if (type == 1)
        app.pluginContext.setTrackNames(names);
}

} // namespace windlecroft
