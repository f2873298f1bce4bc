#include "skin/Windows1250.h"

#include <iconv.h>

#include <vector>

namespace windlecroft::skin {

namespace {

std::optional<std::string> convert(std::string_view input, const char* to, const char* from)
{
    if (input.find('\0') != std::string_view::npos)
        return std::nullopt;
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    // One byte of Windows-1250 becomes at most three bytes of UTF-8; the other way never grows.
    std::vector<char> output(input.size() * 3 + 4);
    std::string source(input);
    char* in = source.data();
    std::size_t inLeft = source.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    const bool complete = iconv(converter, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1)
        && iconv(converter, nullptr, nullptr, &out, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(converter);
    if (!complete || inLeft != 0)
        return std::nullopt;
    return std::string(output.data(), static_cast<std::size_t>(out - output.data()));
}

} // namespace

std::optional<std::string> windows1250ToUtf8(std::string_view bytes)
{
    return convert(bytes, "UTF-8", "WINDOWS-1250");
}

std::optional<std::string> utf8ToWindows1250(std::string_view text)
{
    return convert(text, "WINDOWS-1250", "UTF-8");
}

} // namespace windlecroft::skin
