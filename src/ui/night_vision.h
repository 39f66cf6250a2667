// Night vision on screen: the whole program's widgets turn red.
#pragma once

#include <QPalette>

namespace celvaro {

// The red palette: each palette role takes the level of red of the desktop
// colour it stands for.
QPalette nightVisionPalette();

}  // namespace celvaro
