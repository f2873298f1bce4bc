#pragma once

#include "audio/StreamSource.h"

#include <memory>

namespace windlecroft {

class StreamInput;

/**
 * Opens the input with the library its content calls for, whatever its name says: an Ogg file
 * as Vorbis or Opus (its first stream of either kind), FLAC, WAV and the other formats of
 * libsndfile that begin with a signature through that library, and anything else as MPEG
 * audio. ID3v2 tags before the content are looked past. Null when no library reads the input.
 */
std::unique_ptr<StreamSource> openStreamSource(StreamInput& input);

} // namespace windlecroft
