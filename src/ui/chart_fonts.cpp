#include "ui/chart_fonts.h"

#include <fontconfig/fontconfig.h>
#include <unistd.h>

#include <cstdlib>

namespace celvaro {
namespace {

// The file the labels are drawn from, in the family's directory below.
constexpr char kLabelFontFile[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// The family's directory, read through the system's font caches (scanned
// only when they are missing or out of date), and the rendering choices.
constexpr char kConfiguration[] = R"(<?xml version="1.0"?>
<fontconfig>
  <dir>/usr/share/fonts/truetype/dejavu</dir>
  <cachedir>/var/cache/fontconfig</cachedir>
  <cachedir prefix="xdg">fontconfig</cachedir>
  <match target="font">
    <edit name="antialias" mode="assign"><bool>true</bool></edit>
    <edit name="hintstyle" mode="assign"><const>hintslight</const></edit>
    <edit name="lcdfilter" mode="assign"><const>lcddefault</const></edit>
  </match>
</fontconfig>
)";

}  // namespace

bool useChartFontsOnly() {
  if (std::getenv("FONTCONFIG_FILE") || ::access(kLabelFontFile, R_OK) != 0) return false;
  FcConfig* config = FcConfigCreate();
  if (!config) return false;
  const bool ready = FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(kConfiguration), FcFalse) &&
                     FcConfigSetCurrent(config);
  FcConfigDestroy(config);  // the current configuration holds its own reference
  return ready;
}

}  // namespace celvaro
