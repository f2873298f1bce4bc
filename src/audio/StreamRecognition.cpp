#include "audio/StreamRecognition.h"

#include "audio/Mp3Source.h"
#include "audio/OpusSource.h"
#include "audio/SndfileSource.h"
#include "audio/StreamInput.h"
#include "audio/VorbisSource.h"

#include <array>
#include <cstdio>
#include <string_view>

namespace windlecroft {

namespace {

// Tags a file may carry in front of its content before the look gives up.
constexpr int maxLeadingTags = 16;

// Where the content starts: after any ID3v2 tags (ten bytes of header, a size in 7-bit bytes,
// ten more bytes when a footer follows).
std::int64_t contentStart(const StreamInput& input)
{
    std::int64_t start = 0;
    for (int i = 0; i < maxLeadingTags; ++i) {
        std::array<std::uint8_t, 10> header{};
        if (input.peek(start, header) != header.size() || header[0] != 'I' || header[1] != 'D' || header[2] != '3')
            break;
        std::int64_t size = 0;
        for (std::size_t b = 6; b < 10; ++b)
            size = size << 7 | (header[b] & 0x7F);
        start += 10 + size + ((header[5] & 0x10) ? 10 : 0);
    }
    return start;
}

enum class Container { Ogg, Sndfile, Other };

Container containerOf(const StreamInput& input)
{
    std::array<std::uint8_t, 20> head{};
    const std::size_t got = input.peek(contentStart(input), head);
    const std::string_view magic(reinterpret_cast<const char*>(head.data()), got);
    if (magic.starts_with("OggS"))
        return Container::Ogg;
    // FLAC, WAV (RIFF, RF64, Wave64), AIFF and 8SVX (FORM), Sun AU, CAF, VOC and NIST: the
    // formats of libsndfile that begin with a signature.
    for (const std::string_view known :
        {"fLaC", "RIFF", "RF64", "riff", "FORM", ".snd", "caff", "Creative Voice File", "NIST_1A"})
        if (magic.starts_with(known))
            return Container::Sndfile;
    return Container::Other;
}

template <typename Source>
std::unique_ptr<StreamSource> attempt(StreamInput& input)
{
    // Each library reads from where the input stands; a failed attempt may have moved it.
    if (!input.seek(0, SEEK_SET))
        return nullptr;
    return Source::open(input);
}

} // namespace

std::unique_ptr<StreamSource> openStreamSource(StreamInput& input)
{
    std::unique_ptr<StreamSource> source;
    switch (containerOf(input)) {
    case Container::Ogg:
        // Only the two Ogg codecs: libsndfile's Ogg support goes through the same Vorbis library.
        if (!(source = attempt<VorbisSource>(input)))
            source = attempt<OpusSource>(input);
        break;
    case Container::Sndfile:
        // A WAV file may hold MPEG audio, which libsndfile refuses and libmpg123 finds behind the header.
        if (!(source = attempt<SndfileSource>(input)))
            source = attempt<Mp3Source>(input);
        break;
    case Container::Other:
        // MPEG audio has no signature, only frame headers; libsndfile would take the same frames
        // to its own copy of libmpg123, which prints on stderr.
        source = attempt<Mp3Source>(input);
        break;
    }
    return source;
}

} // namespace windlecroft
