// celvaro-scope: drives a mount from a script on the same telescope core as
// the desktop program. Reads the mount, how to reach it, the place and the
// instant, and a list of commands; connects once, runs the commands in
// order and tells the outcome of each, a line or a JSON object each.
#include <cstdio>
#include <string>
#include <vector>

#include "app/configuration.h"
#include "app/program_info.h"
#include "app/program_paths.h"
#include "tools/scope/interruption.h"
#include "tools/scope/named_targets.h"
#include "tools/scope/port_link.h"
#include "tools/scope/scope_session.h"

namespace {

using namespace celvaro::scope;

constexpr char kUsage[] =
    "usage: celvaro-scope --type lx200|nexstar|oldnexstar|altaz|equatorial|own|indi\n"
    "                     (--port DEVICE | --server HOST:PORT --device NAME) [--json]\n"
    "                     [--program-dir DIR] [--utc YYYY-MM-DDTHH:MM[:SS]]\n"
    "                     [--lat DEG --lon DEG --tz HOURS --dst 0|1 | --zone NAME]\n"
    "                     COMMAND [ARGS] [COMMAND ...]\n"
    "commands, run in order on one connection:\n"
    "  status                        the link and the mount type\n"
    "  position                      where the mount points, J2000 and of the date\n"
    "  goto OBJECT|RA DEC            slew to what the chart's search finds, or to a J2000 place\n"
    "                                (RA in hours, DEC in degrees, as celvaro-chart's --ra and --dec)\n"
    "  sync OBJECT|RA DEC            the mount points there (a reference star of an alt-azimuth mount)\n"
    "  stop                          stop every motion\n"
    "  park, unpark                  to the park position; leave it, tracking\n"
    "  track on|off                  sidereal tracking\n"
    "  move n|s|e|w RATE SECONDS     move at a rate slow0..slow5 or fast0..fast5, then stop\n"
    "  guide n|s|e|w MILLISECONDS    a guide correction\n"
    "  spiral RADIUS TURNS           a spiral search, RADIUS arcminutes between turns\n"
    "  wait                          until the last slew, park or spiral ends\n"
    "exit codes: 0 done, 1 no scratch directory, 2 bad usage or unknown object, 3 no link,\n"
    "            4 refused by the mount, 5 timed out; Ctrl-C stops the mount, then ends the program\n"
    "--help, --version: this text; the program's version\n";

void complain(const std::string& message) { std::fprintf(stderr, "celvaro-scope: %s\n", message.c_str()); }

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (const auto answered = celvaro::answerHelpOrVersion(args, "celvaro-scope", kUsage)) return *answered;
  ScopeScriptReader reader;
  auto script = reader.read(args);
  if (!script) {
    complain(reader.error());
    return kExitUsage;
  }
  const std::string programDir = celvaro::chooseProgramDirectory(script->placeTime.programDir);
  celvaro::ConfigurationRecordSet configuration;
  celvaro::loadConfiguration(celvaro::configurationPath(programDir), configuration.refs());
  SessionSettings settings{configuration.place, configuration.spiral.speed, configuration.scope.eastWestSwapPosition};
  celvaro::applyPlaceOptions(script->placeTime, settings.place);
  std::string error;
  if (!findNamedTargets(*script, programDir, error)) {
    complain(error);
    return kExitUsage;
  }
  PortLink ports(script->device);
  if (!ports.ok()) {
    complain("cannot make a scratch directory for the port link in " + ports.directory());
    return kExitFailed;
  }
  Outcome outcome;
  {
    // The port is open once the connect ends: its link is not needed after.
    ScopeSession session(*script, settings, ports.directory(), [&ports] { ports.remove(); });
    outcome = session.run(
        [&](const ScopeCommand& command, const CommandResult& result) {
          std::printf("%s\n", reportLine(command.text, result, script->json).c_str());
          std::fflush(stdout);
        },
        error);
  }
  if (outcome != Outcome::kDone) complain(error);
  endIfInterrupted();
  return exitCodeOf(outcome);
}
