// The places of the objects a script names, found by the chart's own search.
#pragma once

#include <string>

#include "tools/scope/scope_script.h"

namespace celvaro::scope {

// Gives each goto and sync that names an object the J2000 place the
// program's search finds for the name at the script's instant and place
// (the data of the program directory are read only when a name is given).
// False with `error` naming a text that finds nothing or data that cannot
// be read.
bool findNamedTargets(ScopeScript& script, const std::string& programDir, std::string& error);

}  // namespace celvaro::scope
