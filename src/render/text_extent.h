// How wide a text of the sans-serif faces the outputs draw with comes out,
// estimated from a table of advances, never narrower than it is: what label
// boxes and the boxes behind a printed map's notes are measured with.
#pragma once

#include <cstdint>
#include <string_view>

namespace celvaro {

// A character's advance in thousandths of the font size.
int32_t characterAdvance(char16_t c);
// The text's width at the font size, in the size's units.
int32_t estimatedTextWidth(std::u16string_view text, int32_t fontSize);

}  // namespace celvaro
