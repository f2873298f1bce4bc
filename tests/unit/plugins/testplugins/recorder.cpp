// Records every call it gets and what it reads from the context, for the tests to inspect.
#include <windlecroft/plugin.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string>& events()
{
    static std::vector<std::string> log;
    return log;
}

std::string describe(const char* operation, WindlecroftPluginContext* context)
{
    std::string text = operation;
    text += " page=" + std::string(windlecroft_string_text(&context->pageName));
    text += " command=" + std::to_string(context->pluginCommand);
    text += " index=" + std::to_string(context->currentIndex);
    text += " playing=" + std::to_string(context->playing);
    // The array's element count stands in the 4 bytes before it; there is none without names.
    unsigned count = 0;
    if (context->trackNames) {
        const auto* cookie = reinterpret_cast<const unsigned char*>(context->trackNames) - 4;
        count = cookie[0] | cookie[1] << 8 | cookie[2] << 16 | cookie[3] << 24;
    }
    text += " names=" + std::to_string(context->trackNameCount) + "/" + std::to_string(count) + ":";
    for (unsigned i = 0; i < context->trackNameCount; ++i)
        text += std::string(i ? "," : "") + windlecroft_string_text(&context->trackNames[i]);
    return text;
}

class Recorder : public WindlecroftPlugin {
public:
    // Each start bumps the command field, so plugins started one after another log 0, 1, ...
    void start(WindlecroftPluginContext* context) override
    {
        events().push_back(describe("start", context));
        ++context->pluginCommand;
    }
    void draw(WindlecroftPluginContext* context) override
    {
        events().push_back(describe("draw", context));
        if (context->surface && context->surface->width > 0 && context->surface->height > 0)
            context->surface->pixels[0] = 0x00ABCDEF;
    }
};

} // namespace

extern "C" void* PluginCreateProc()
{
    return WINDLECROFT_NEW_PLUGIN(Recorder);
}

extern "C" int recorder_event_count()
{
    return static_cast<int>(events().size());
}

extern "C" const char* recorder_event(int index)
{
    return events()[static_cast<std::size_t>(index)].c_str();
}

extern "C" void recorder_clear()
{
    events().clear();
}
