#include "output/color_table.h"

namespace celvaro {
namespace {

using Scheme = std::array<Rgb, kColorCount>;

constexpr Rgb kNightDim{160, 0, 0};
constexpr Rgb kNightRed{255, 0, 0};

constexpr std::array<Scheme, ColorTable::kSchemeCount> kSchemes{{
    {{{0, 0, 0}, {64, 64, 0}, {0, 92, 69}, {0, 192, 128}, {180, 0, 0}, {0, 0, 127},
      {255, 255, 255}, {0, 0, 0}, {255, 255, 0}, {192, 112, 0}, {0, 96, 0}, {128, 128, 0},
      {128, 128, 0}, {127, 255, 127}}},
    {{{0, 0, 0}, {128, 128, 128}, {0, 128, 128}, {0, 128, 140}, {255, 0, 0}, {0, 0, 255},
      {255, 255, 255}, {0, 0, 0}, {255, 255, 0}, {224, 128, 0}, {0, 255, 0}, {196, 196, 196},
      {255, 255, 0}, {127, 255, 127}}},
    {{{0, 0, 92}, {64, 64, 0}, {0, 128, 128}, {0, 128, 140}, {180, 0, 0}, {0, 0, 127},
      {255, 255, 255}, {0, 0, 0}, {255, 255, 0}, {192, 112, 0}, {0, 167, 0}, {128, 128, 128},
      {128, 128, 0}, {127, 255, 127}}},
    {{{0, 92, 128}, {64, 64, 64}, {0, 255, 128}, {0, 140, 255}, {128, 128, 255}, {0, 0, 128},
      {255, 255, 255}, {128, 128, 128}, {255, 255, 0}, {255, 160, 64}, {192, 192, 192},
      {192, 192, 192}, {255, 255, 0}, {255, 255, 255}}},
    {{{255, 255, 255}, {0, 196, 196}, {0, 128, 128}, {0, 128, 128}, {128, 128, 255}, {0, 0, 128},
      {0, 0, 0}, {192, 192, 192}, {255, 255, 0}, {176, 96, 0}, {0, 0, 255}, {128, 128, 128},
      {0, 128, 0}, {255, 255, 255}}},
    {{{0, 0, 0}, kNightDim, kNightDim, kNightDim, kNightDim, kNightDim, kNightRed, kNightDim,
      kNightRed, kNightRed, kNightRed, kNightRed, kNightRed, kNightRed}},
}};

}  // namespace

ColorTable::ColorTable() : colors_(kSchemes[0]) {}

void ColorTable::setColor(int index, Rgb color) {
  if (index >= 0 && index < kColorCount) colors_[index] = color;
}

Rgb ColorTable::getColor(int index) const {
  return index >= 0 && index < kColorCount ? colors_[index] : Rgb{};
}

void ColorTable::applyScheme(int scheme) {
  if (scheme < 1 || scheme > kSchemeCount) return;
  colors_ = kSchemes[scheme - 1];
  night_ = scheme == kNightScheme;
}

void ColorTable::writeColor(std::string& out, int index, std::string_view key) const {
  Rgb c = getColor(index);
  out.append(key);
  out += '=' + std::to_string(c.red) + ';' + std::to_string(c.green) + ';' +
         std::to_string(c.blue) + "\r\n";
}

}  // namespace celvaro
