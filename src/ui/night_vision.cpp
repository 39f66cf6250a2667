#include "ui/night_vision.h"

#include <utility>

#include "app/ui_resources.h"

namespace celvaro {
namespace {

// Classic desktop colour indices and the palette roles they stand for.
constexpr std::pair<int, QPalette::ColorRole> kRoles[] = {
    {5, QPalette::Window},        {5, QPalette::Base},           {8, QPalette::WindowText},
    {8, QPalette::Text},          {15, QPalette::Button},        {18, QPalette::ButtonText},
    {13, QPalette::Highlight},    {14, QPalette::HighlightedText}, {20, QPalette::Light},
    {22, QPalette::Midlight},     {16, QPalette::Dark},          {16, QPalette::Mid},
    {21, QPalette::Shadow},       {24, QPalette::ToolTipBase},   {23, QPalette::ToolTipText},
    {4, QPalette::AlternateBase}, {17, QPalette::PlaceholderText}};

}  // namespace

QPalette nightVisionPalette() {
  QPalette palette;
  for (const auto& [systemColor, role] : kRoles) {
    for (const NightVisionColor& c : UiResources::nightVisionColors()) {
      if (c.systemColor == systemColor) palette.setColor(role, QColor(c.red, 0, 0));
    }
  }
  // Disabled texts: the grey-text level.
  for (const NightVisionColor& c : UiResources::nightVisionColors()) {
    if (c.systemColor == 17) palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(c.red, 0, 0));
  }
  return palette;
}

}  // namespace celvaro
