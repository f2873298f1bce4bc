#include "base/TextEncoding.h"

#include <iconv.h>

#include <vector>

namespace windlecroft {

namespace {

// Converts input with iconv. Lenient: a byte that does not convert becomes '?'. Strict: such
// a byte gives nothing.
std::optional<std::string> convert(std::string_view input, const char* to, const char* from, bool lenient)
{
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
    bool complete = true;
    while (inLeft > 0) {
        if (iconv(converter, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1))
            break;
        if (!lenient || outLeft == 0) {
            complete = false;
            break;
        }
        *out++ = '?';
        --outLeft;
        ++in;
        --inLeft;
    }
    complete = complete && iconv(converter, nullptr, nullptr, &out, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(converter);
    if (!complete || inLeft != 0)
        return std::nullopt;
    return std::string(output.data(), static_cast<std::size_t>(out - output.data()));
}

} // namespace

std::string decodeWindows1250(std::string_view bytes)
{
    return convert(bytes, "UTF-8", "WINDOWS-1250", true).value_or(std::string(bytes));
}

std::optional<std::string> windows1250ToUtf8(std::string_view bytes)
{
    if (bytes.find('\0') != std::string_view::npos)
        return std::nullopt;
    return convert(bytes, "UTF-8", "WINDOWS-1250", false);
}

std::optional<std::string> utf8ToWindows1250(std::string_view text)
{
    if (text.find('\0') != std::string_view::npos)
        return std::nullopt;
    return convert(text, "WINDOWS-1250", "UTF-8", false);
}

} // namespace windlecroft
