// The chart's fourteen colours and the six built-in colour schemes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace celvaro {

enum ColorIndex : int {
  kColorBackground = 0,
  kColorGrid,
  kColorEcliptic,
  kColorHorizon,
  kColorConstLines,
  kColorConstBoundaries,
  kColorStars,
  kColorStarEdge,
  kColorPlanets,
  kColorPlanetTracks,
  kColorDeepsky,
  kColorText,
  kColorStarHop,
  kColorSelection,
  kColorCount
};

struct Rgb {
  uint8_t red = 0, green = 0, blue = 0;
  bool operator==(const Rgb&) const = default;
};

class ColorTable {
 public:
  static constexpr int kSchemeCount = 6;
  static constexpr int kNightScheme = 6;  // the red night-vision scheme

  ColorTable();  // filled with scheme 1

  // Indices outside 0..13 are ignored.
  void setColor(int index, Rgb color);
  // The colour of an index; black for an index outside 0..13.
  Rgb getColor(int index) const;
  // Copies scheme 1..6 into the table; other numbers do nothing.
  void applyScheme(int scheme);
  // True while the table holds the night-vision scheme: whatever is drawn
  // takes the table's colours alone, not colours of its own.
  bool night() const { return night_; }
  // Appends the configuration line "key=r;g;b\r\n" of one colour.
  void writeColor(std::string& out, int index, std::string_view key) const;

  bool operator==(const ColorTable&) const = default;

 private:
  std::array<Rgb, kColorCount> colors_;
  bool night_ = false;
};

}  // namespace celvaro
