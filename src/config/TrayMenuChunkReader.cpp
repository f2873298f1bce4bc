#include "app/Application.h"
#include "config/ByteReader.h"
#include "config/ChunkDispatch.h"
#include "config/ChunkReaders.h"

namespace windlecroft {

// The tip, then count entries of (text, code, arg); several chunks add to one menu and the
// last tip read wins.
void readTrayMenuChunk(ChunkContext& chunk)
{
    ByteReader& in = chunk.in;
    chunk.app.trayTip = in.string();
    const std::uint16_t count = in.u16();
    for (std::uint32_t i = 0; i < count && !in.atEnd(); ++i) {
        std::string text = in.string();
        const std::uint16_t code = in.u16();
        const std::uint16_t arg = in.u16();
        chunk.app.trayIcon.addItem(std::move(text), code, arg);
    }
}

} // namespace windlecroft
