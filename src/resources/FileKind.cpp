#include "resources/FileKind.h"

#include <array>
#include <utility>

namespace windlecroft {

FileKind classifyFileName(std::string_view name)
{
    const std::size_t dot = name.find('.');
    if (dot == std::string_view::npos)
        return FileKind::Unknown;
    const std::string_view extension = name.substr(dot + 1);
    // No name can start with two of these prefixes, so the order of the table is free.
    static constexpr std::array<std::pair<std::string_view, FileKind>, 18> prefixes{{
        {"jpg", FileKind::Jpeg},
        {"JPG", FileKind::Jpeg},
        {"bmp", FileKind::Bmp},
        {"BMP", FileKind::Bmp},
        {"mp3", FileKind::Stream},
        {"MP3", FileKind::Stream},
        {"ogg", FileKind::Stream},
        {"OGG", FileKind::Stream},
        {"flac", FileKind::Stream},
        {"FLAC", FileKind::Stream},
        {"opus", FileKind::Stream},
        {"OPUS", FileKind::Stream},
        {"wav", FileKind::Stream},
        {"WAV", FileKind::Stream},
        {"xm", FileKind::Module},
        {"XM", FileKind::Module},
        {"it", FileKind::Module},
        {"IT", FileKind::Module},
    }};
    for (const auto& [prefix, kind] : prefixes) {
        if (extension.starts_with(prefix))
            return kind;
    }
    return FileKind::Unknown;
}

} // namespace windlecroft
