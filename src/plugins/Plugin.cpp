#include "plugins/Plugin.h"

#include "app/Error.h"

#include <dlfcn.h>

#include <cstdlib>
#include <vector>

namespace windlecroft {

namespace {

bool endsWithDll(const std::string& name)
{
    if (name.size() < 4)
        return false;
    std::string suffix = name.substr(name.size() - 4);
    for (char& c : suffix)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return suffix == ".dll";
}

// A bare name is looked for in the skin folder and the program's folder before the system's
// library path; a name with a folder part is opened as it stands.
void* openLibrary(const std::string& name, const PluginSearch& search)
{
    if (name.empty())
        return nullptr;
    std::vector<std::filesystem::path> candidates;
    if (name.find('/') == std::string::npos) {
        candidates.push_back(search.workingDir / name);
        if (!search.programDir.empty())
            candidates.push_back(search.programDir / name);
    } else {
        candidates.emplace_back(name);
    }
    for (const auto& candidate : candidates) {
        std::error_code ignored;
        if (std::filesystem::is_regular_file(candidate, ignored)) {
            // A relative candidate must not be resolved through the library path by dlopen.
            const std::string path = std::filesystem::absolute(candidate, ignored).string();
            return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        }
    }
    if (name.find('/') == std::string::npos)
        return dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    return nullptr;
}

} // namespace

std::unique_ptr<Plugin> Plugin::load(const std::string& fileName, const PluginSearch& search)
{
    void* library = openLibrary(fileName, search);
    // Skins written for Windows name their plugins "x.dll": take the platform's library instead.
    if (!library && endsWithDll(fileName))
        library = openLibrary(fileName.substr(0, fileName.size() - 4) + ".so", search);
    if (!library)
        throw Error("can't load plugin " + fileName);

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
