// The font setup of celvaro-chart: the labels are drawn in one family, so
// the process needs none of the other fonts a system has installed.
#pragma once

namespace celvaro {

// Makes the labels' font family, with the rendering the desktop's default
// setup gives it (antialiased, slight hinting, the default LCD filter), the
// process's whole font configuration. Qt then neither reads the system's
// configuration files nor lists every installed font at the first label.
// Call it before the first font is used; false (and the system's setup
// stays) when the user chose a configuration file or the family's files
// are not where the system keeps them.
bool useChartFontsOnly();

}  // namespace celvaro
