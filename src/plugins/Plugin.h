#pragma once

#include "plugins/PluginSearch.h"

#include <windlecroft/plugin.h>

#include <memory>
#include <string>

namespace windlecroft {

/**
 * One loaded plugin library and the object its PluginCreateProc made. The object is released
 * as plain memory and the library closed when the Plugin is destroyed, exactly once.
 */
class Plugin {
public:
    /**
     * Loads the library fileName (a file name alone) from the first searched folder that holds
     * it as a regular file, and creates its object. Throws "can't load plugin " + fileName,
     * "can't find PluginCreateProc in " + fileName or "can't create plugin class from " + fileName.
     */
    static std::unique_ptr<Plugin> load(const std::string& fileName, const PluginSearch& search);

    ~Plugin();
    Plugin(const Plugin&) = delete;
    Plugin& operator=(const Plugin&) = delete;

    void start(WindlecroftPluginContext& context);
    void draw(WindlecroftPluginContext& context);

    const std::string& fileName() const { return fileName_; }

private:
    Plugin(std::string fileName, void* library, void* object);
    const WindlecroftPluginOperations& operations() const;

    std::string fileName_;
    void* library_;
    void* object_;
};

} // namespace windlecroft
