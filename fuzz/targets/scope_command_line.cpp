// celvaro-scope's command line: the input's NUL-separated parts are the
// arguments. A script that is taken must hold only what the checks let
// through: a known mount type reached one way, commands its protocol offers
// with arguments in their ranges, and a real date.
#include <cstdlib>
#include <string>
#include <vector>

#include "command_line_input.h"
#include "telescope/mount_types.h"
#include "tools/scope/scope_script.h"

using namespace celvaro;
using namespace celvaro::scope;

namespace {

bool inRanges(const ScopeCommand& c) {
  if (c.raHours && (*c.raHours < 0 || *c.raHours > 24 || !c.decDeg || *c.decDeg < -90 || *c.decDeg > 90)) return false;
  return c.direction >= 0 && c.direction <= 3 && c.rate >= 0 && c.rate <= 5 && c.seconds >= 0 && c.seconds <= 3600 &&
         c.milliseconds >= 0 && c.milliseconds <= 60000 && c.radiusArcmin >= 0 && c.radiusArcmin <= 255 &&
         c.turns >= 0 && c.turns <= 10;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string> args = fuzz::commandLineArguments(data, size);
  ScopeScriptReader reader;
  const auto script = reader.read(args);
  if (!script) {
    if (reader.error().empty()) std::abort();
    return 0;
  }
  if (script->mountType <= 0 || script->mountType >= kMountTypeCount || script->commands.empty()) std::abort();
  if ((script->mountType == kMountIndi) == script->indiHost.empty() || script->device.empty() == script->indiHost.empty())
    std::abort();
  if (script->placeTime.utc && !fuzz::isRealDate(*script->placeTime.utc)) std::abort();
  for (const ScopeCommand& command : script->commands) {
    if (!offers(script->mountType, command.verb) || !inRanges(command)) std::abort();
  }
  return 0;
}
