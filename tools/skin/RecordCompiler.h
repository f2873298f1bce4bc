#pragma once

#include "skin/SkinRecords.h"
#include "skin/ActionContext.h"

#include <toml++/toml.h>

namespace windlecroft::skin {

/**
 * Compiles one element record of a page from its source table, whose `kind` says which record
 * it is (button, key, indicator, background-action, right-click-action, enter-action,
 * leave-action, text-list, slider, text-viewer, document, timer, plugin, wheel, raw). Actions
 * resolve their names against the whole file's context. Throws SourceError.
 */
ElementRecord compileRecord(const toml::table& table, const ActionContext& context);

} // namespace windlecroft::skin
