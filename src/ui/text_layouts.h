// The laid-out texts of the chart's labels, kept from one drawing of the
// chart to the next: as the user pans, most labels are those drawn before,
// and laying a text out costs far more than drawing its glyphs.
#pragma once

#include <QFont>
#include <QStaticText>

#include <string>
#include <string_view>
#include <unordered_map>

namespace celvaro {

class TextLayouts {
 public:
  // The text laid out in the font; the layouts made before are let go when
  // many have gathered.
  const QStaticText& of(std::u16string_view text, const QFont& font);

 private:
  static constexpr size_t kKept = 4096;
  std::unordered_map<std::u16string, QStaticText> kept_;
};

}  // namespace celvaro
