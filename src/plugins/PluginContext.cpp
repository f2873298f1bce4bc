#include "plugins/PluginContext.h"

#include <cstring>

namespace windlecroft {

PluginContext::PluginContext()
{
    pageNameStorage_.reserve(64);
    reset();
}

void PluginContext::reset()
{
    record_ = WindlecroftPluginContext{};
    surface_ = WindlecroftSurface{};
    namesBlock_.reset();
    names_ = nullptr;
    nameStorage_.clear();
    fillString(record_.pageName, pageNameStorage_, {});
}

void PluginContext::setSurface(std::uint32_t* pixels, int width, int height, int stride)
{
    surface_ = WindlecroftSurface{pixels, width, height, stride};
    record_.surface = &surface_;
}

// Short texts live inside the record, longer ones in storage the record points to.
void PluginContext::fillString(WindlecroftString& target, std::string& storage, std::string_view text)
{
    target.unused = 0;
    target.length = static_cast<std::uint32_t>(text.size());
    if (text.size() < sizeof target.data.small) {
        if (!text.empty())
            std::memcpy(target.data.small, text.data(), text.size());
        target.data.small[text.size()] = '\0';
        target.capacity = sizeof target.data.small - 1;
        return;
    }
    storage.assign(text);
    target.data.pointer = storage.data();
    target.capacity = static_cast<std::uint32_t>(storage.capacity());
}

void PluginContext::setTrackNames(const std::vector<std::string>& names)
{
    const std::size_t count = names.size();
    const std::size_t words = 1 + (count * sizeof(WindlecroftString) + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t);
    namesBlock_ = std::make_unique<std::uint64_t[]>(words);
    auto* bytes = reinterpret_cast<unsigned char*>(namesBlock_.get());
    const auto count32 = static_cast<std::uint32_t>(count);
    std::memcpy(bytes + 4, &count32, sizeof count32);
    names_ = reinterpret_cast<WindlecroftString*>(bytes + 8);
    nameStorage_.assign(count, std::string());
    for (std::size_t i = 0; i < count; ++i) {
        names_[i] = WindlecroftString{};
        fillString(names_[i], nameStorage_[i], names[i]);
    }
    record_.trackNameCount = static_cast<std::uint16_t>(count);
    record_.trackNames = names_;
}

void PluginContext::setPageName(std::string_view name)
{
    if (pageName() == name)
        return;
    fillString(record_.pageName, pageNameStorage_, name);
}

} // namespace windlecroft
