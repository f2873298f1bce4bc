#pragma once

#include <string_view>

namespace windlecroft {

/** The kind of a resource as its name tells it. */
enum class FileKind { Unknown = 0, Module = 1, Stream = 2, Jpeg = 3, Bmp = 4 };

/**
 * Classifies a resource name by the letters that follow its first dot: "jpg"/"JPG" is Jpeg,
 * "bmp"/"BMP" Bmp, "mp3"/"MP3", "ogg"/"OGG", "opus"/"OPUS", "flac"/"FLAC" and "wav"/"WAV"
 * Stream, "xm"/"XM" and "it"/"IT" Module. Only those leading letters are compared (so "xml" is
 * a Module and "mp3.bak" a Stream), mixed case does not match, and a name without a dot is
 * Unknown. A stream's name picks no decoder: its content does.
 */
FileKind classifyFileName(std::string_view name);

} // namespace windlecroft
