// The toolbar buttons' pictures, drawn rather than loaded.
#pragma once

#include <QIcon>

#include "model/language_texts.h"

namespace celvaro {

// The picture of toolbar command 2000..2021, letters in the language's
// words; in night vision drawn in reds that stand out from the red toolbar.
QIcon toolbarIcon(int commandId, bool nightVision, iLanguageTexts& texts);

}  // namespace celvaro
