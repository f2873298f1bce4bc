#include "plugins/Plugin.h"

#include "base/Error.h"
#include "plugins/PluginLocations.h"

#include <dlfcn.h>

#include <cstdlib>
#include <string>

namespace windlecroft {

namespace {

// Only a regular file in one of the searched folders is opened, by its absolute path, so that
// the system's library path is never searched and no library's code runs before it is found.
void* openLibrary(const std::string& name, const PluginSearch& search, std::string& reason)
{
    std::string searched;
    for (const std::filesystem::path& folder : {search.skinDir, search.pluginDir}) {
        if (folder.empty())
            continue;
        std::error_code ignored;
        const std::filesystem::path candidate = std::filesystem::absolute(folder / name, ignored);
        searched += (searched.empty() ? "" : " or ") + candidate.parent_path().string();
        if (!candidate.empty() && std::filesystem::is_regular_file(candidate, ignored)) {
            void* library = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
            if (!library) {
                const char* error = dlerror();
                reason = error ? error : "the library does not load";
            }
            return library;
        }
    }
    reason = "no " + name + " in " + (searched.empty() ? std::string("any plugin folder") : searched);
    return nullptr;
}

} // namespace

std::unique_ptr<Plugin> Plugin::load(const std::string& fileName, const PluginSearch& search)
{
    // A name with a folder part is never passed to the loader; "x.dll" is also looked for as "x.so".
    std::string reason = "a plugin is named by its file name alone";
    void* library = nullptr;
    for (const std::string& name : pluginFileNames(fileName)) {
        library = openLibrary(name, search, reason);
        if (library)
            break;
    }
    if (!library)
        throw Error("can't load plugin " + fileName, reason);

    void* symbol = dlsym(library, "PluginCreateProc");
    if (!symbol) {
        dlclose(library);
        throw Error("can't find PluginCreateProc in " + fileName);
    }
    auto create = reinterpret_cast<WindlecroftPluginCreateProc>(symbol);
    void* object = create();
    if (!object) {
        dlclose(library);
        throw Error("can't create plugin class from " + fileName);
    }
    return std::unique_ptr<Plugin>(new Plugin(fileName, library, object));
}

Plugin::Plugin(std::string fileName, void* library, void* object)
    : fileName_(std::move(fileName)), library_(library), object_(object)
{
}

Plugin::~Plugin()
{
    // The object is released as plain memory without calling any of its operations.
    std::free(object_);
    dlclose(library_);
}

// The object's first word points to its operation table: slot 0 start, slot 1 draw.
const WindlecroftPluginOperations& Plugin::operations() const
{
    return **static_cast<const WindlecroftPluginOperations* const*>(object_);
}

void Plugin::start(WindlecroftPluginContext& context)
{
    operations().start(object_, &context);
}

void Plugin::draw(WindlecroftPluginContext& context)
{
    operations().draw(object_, &context);
}

} // namespace windlecroft
