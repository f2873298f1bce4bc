#include "base/TextEncoding.h"

#include <iconv.h>

#include <vector>

namespace windlecroft {

std::string decodeWindows1250(std::string_view bytes)
{
    iconv_t converter = iconv_open("UTF-8", "WINDOWS-1250");
    if (converter == reinterpret_cast<iconv_t>(-1))
        return std::string(bytes);
    // A byte becomes at most three bytes of UTF-8.
    std::vector<char> output(bytes.size() * 3 + 1);
    std::string input(bytes);
    char* in = input.data();
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    std::string result;
    while (inLeft > 0) {
        if (iconv(converter, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1))
            break;
        // Bytes that have no character in the code page (0x81, 0x83, ...) are shown as '?'.
        *out++ = '?';
        --outLeft;
        ++in;
        --inLeft;
    }
    iconv_close(converter);
    result.assign(output.data(), static_cast<std::size_t>(out - output.data()));
    return result;
}

} // namespace windlecroft
