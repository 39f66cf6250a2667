// The toolbar buttons' pictures, drawn rather than loaded.
#pragma once

#include <QIcon>

namespace celvaro {

// The picture of toolbar command 2000..2021.
QIcon toolbarIcon(int commandId);

}  // namespace celvaro
