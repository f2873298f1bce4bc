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

TrackEntry::TrackEntry(std::string name, bool fromArchive, std::string title)
    : name(std::move(name))
    , title(std::move(title))
    , kind(kindOf(this->name))
    , fromArchive(fromArchive)
{
}

} // namespace windlecroft
