#include "skin/NearestName.h"

#include <algorithm>
#include <vector>

namespace windlecroft::skin {

namespace {

// The optimal string alignment distance; names are short, so the full table is cheap. Words
// longer than any name are cut short first, which keeps the work bounded for any input.
std::size_t distance(std::string_view a, std::string_view b)
{
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i)
        d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j)
        d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[a.size()][b.size()];
}

} // namespace

std::optional<std::string_view> nearestName(std::string_view word, std::span<const std::string_view> names)
{
    constexpr std::size_t longestWord = 64;
    word = word.substr(0, longestWord);
    std::optional<std::string_view> best;
    std::size_t bestDistance = 0;
    for (const std::string_view name : names) {
        const std::size_t allowed = std::clamp<std::size_t>(name.size() / 3, 1, 2);
        const std::size_t d = distance(word, name);
        if (d <= allowed && (!best || d < bestDistance)) {
            best = name;
            bestDistance = d;
        }
    }
    return best;
}

} // namespace windlecroft::skin
