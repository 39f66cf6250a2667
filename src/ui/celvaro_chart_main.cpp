// celvaro-chart: writes one sky chart of a program directory to a file,
// centred where asked or on a named object, and tells what it shows.
#include <QGuiApplication>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "app/program_info.h"
#include "app/program_paths.h"
#include "platform/memory_policy.h"
#include "platform/private_directory.h"
#include "ui/chart_command.h"
#include "ui/chart_fonts.h"

namespace {

constexpr char kUsage[] =
    "usage: celvaro-chart --out FILE [options]\n"
    "  --out FILE                    the file to write (not needed with --stats or --info)\n"
    "  --program-dir DIR             the directory of data/ and the language files; by default the\n"
    "                                current one when it holds data/stars_hip.dat, else the program's\n"
    "                                own when it does, else the installed one, whose data files those\n"
    "                                of ${XDG_DATA_HOME:-~/.local/share}/celvaro/data override one by one\n"
    "  --settings FILE.clv           a setting file of display switches and limits\n"
    "  --fov-scheme FILE             a field-of-view scheme file (as fovschemes.dat): its frames on\n"
    "                                the chart's centre, or on the object\n"
    "  --utc YYYY-MM-DDTHH:MM[:SS]   the instant (default: now)\n"
    "  --lat DEG --lon DEG --tz HOURS --dst 0|1   the observing place (default: the configuration's)\n"
    "  --zone NAME                   the place's time zone as the time-zone database names it\n"
    "                                (Europe/Budapest): its offset and summer time on the date,\n"
    "                                in place of --tz and --dst\n"
    "  --ra HOURS --dec DEG          the chart centre (default: the zenith)\n"
    "  --object TEXT                 centre on what the program's search finds for the text\n"
    "  --finder TEXT                 the object's finder chart: a wide chart with its star-hop route\n"
    "                                over a close one, the hops and its information (a PDF unless\n"
    "                                --format svg|eps; --out by default finder-TEXT.pdf)\n"
    "  --atlas sky|CONSTELLATION|LIST.txt   an atlas in one PDF: a key page, charts of --field\n"
    "                                (default 1800) to --mag (default 6.5) that name the pages beyond\n"
    "                                their edges, and an index; for a list file, one finder chart for\n"
    "                                each line's object (--out by default atlas-TEXT.pdf)\n"
    "  --mag M                       the stars' limiting magnitude (default: the field's own)\n"
    "  --az DEG --alt DEG            a horizontal chart; azimuth from the north through the east\n"
    "  --refraction                  altitudes as standard air lifts them\n"
    "  --field ARCMIN                the field of view\n"
    "  --projection 0..4             orthographic, equal-area, equidistant, stereographic, gnomonic\n"
    "  --mirror 0..3                 none, central, vertical, horizontal\n"
    "  --size WxH                    pixels (default 1920x1080)\n"
    "  --scale F                     draw as on a screen of device pixel ratio F (default 1)\n"
    "  --format png|pdf|svg|eps      a picture, or a printable map\n"
    "  --page WxH --margin MM        the printable map's page and margin in millimetres\n"
    "  --stats                       print what each layer drew and the derived limits\n"
    "  --info                        with --object: the object's information, a property to a line\n"
    "  --language hu|en|de|ro        the language of labels and information\n"
    "  --bench N                     draw N more times and print the median time\n"
    "  --timings                     print the milliseconds of each phase\n"
    "  --help, --version             this text; the program's version\n";

}  // namespace

int main(int argc, char** argv) {
  celvaro::keepFreedMemoryForReuse();
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (const auto answered = celvaro::answerHelpOrVersion(args, "celvaro-chart", kUsage)) return *answered;
  std::string error;
  auto request = celvaro::parseChartRequest(args, error);
  if (!request) {
    std::fprintf(stderr, "celvaro-chart: %s\n", error.c_str());
    return 2;
  }
  request->programDir = celvaro::chooseProgramDirectory(request->programDir);
  // Labels need the application's fonts; no display is needed.
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  if (!std::getenv("XDG_RUNTIME_DIR")) {
    const std::string runtime = "/tmp/celvaro-runtime-" + std::to_string(getuid());
    if (!celvaro::makePrivateDirectory(runtime)) {
      std::fprintf(stderr, "celvaro-chart: %s is not a directory of this user's alone; set XDG_RUNTIME_DIR\n",
                   runtime.c_str());
      return 2;
    }
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  }
  // Qt and its fonts only for a picture.
  std::optional<QGuiApplication> application;
  const int code = celvaro::runChartRequest(*request, [&] {
    celvaro::useChartFontsOnly();
    application.emplace(argc, argv);
  });
  // The file is written and closed: the process ends without taking Qt and
  // the libraries down piece by piece, which the system does at once.
  std::fflush(stdout);
  std::_Exit(code);
}
