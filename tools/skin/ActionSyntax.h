#pragma once

#include "skin/SkinRecords.h"
#include "skin/ActionContext.h"

#include <toml++/toml.h>

#include <string>

namespace windlecroft::skin {

/**
 * Compiles an action written in the source:
 *   "play"                        a name whose argument is not used (argument 0)
 *   0x1001                        a code (argument 0)
 *   ["play-index", 3]             a name or code with a numeric argument
 *   ["play-index", "Night"]       the playlist position of the entry with that name
 *   ["switch-page", "noc"]        the string-mapping index of a page or named track
 *   ["slider", "seek"]            a slider id by name
 * Throws SourceError for unknown names, missing arguments and names that do not resolve.
 */
Action compileAction(const toml::node& node, const ActionContext& context);

/** Writes an action as source text that compiles back to exactly the same code and argument. */
std::string actionSource(const Action& action, const ActionContext& context);

} // namespace windlecroft::skin
