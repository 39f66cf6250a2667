#include "render/text_extent.h"

#include <cstdint>

namespace celvaro {

int32_t characterAdvance(char16_t c) {
  if (c >= 0x80) return 720;
  if (std::u16string_view(u" !,.:;'|ijlItf").find(c) != std::u16string_view::npos) return 280;
  if (std::u16string_view(u"r()[]-/\\\"`*{}").find(c) != std::u16string_view::npos) return 340;
  if (std::u16string_view(u"mwMW%").find(c) != std::u16string_view::npos) return 950;
  if (c == u'@') return 1020;
  if (c >= u'A' && c <= u'Z') return 780;
  if (std::u16string_view(u"+<=>~^#$?_&").find(c) != std::u16string_view::npos) return 670;
  return 560;
}

int32_t estimatedTextWidth(std::u16string_view text, int32_t fontSize) {
  int64_t width = 0;
  for (const char16_t c : text) width += int64_t{characterAdvance(c)} * fontSize;
  return static_cast<int32_t>(width / 1000);
}

}  // namespace celvaro
