#include "audio/TrackEntry.h"

#include "resources/FileKind.h"

namespace windlecroft {

namespace {

ChannelKind kindOf(const std::string& name)
{
    switch (classifyFileName(name)) {
    case FileKind::Module: return ChannelKind::Module;
    case FileKind::Stream: return ChannelKind::Stream;
    default: return ChannelKind::None;
    }
}

} // namespace

TrackEntry::TrackEntry(std::string name, bool fromArchive)
    : name(std::move(name))
    , kind(kindOf(this->name))
    , fromArchive(fromArchive)
{
}

} // namespace windlecroft
