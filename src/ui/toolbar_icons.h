// The toolbar buttons' pictures, drawn rather than loaded.
#pragma once

#include <QIcon>

namespace celvaro {

// The picture of toolbar command 2000..2021; in night vision drawn in reds
// that stand out from the red toolbar.
QIcon toolbarIcon(int commandId, bool nightVision);

}  // namespace celvaro
