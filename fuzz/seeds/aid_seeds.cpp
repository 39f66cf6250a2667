// Seeds of the observing aids' files, the element lines and the photos:
// cities, star-hopping routes and the sky guide through the aid writers,
// MPCORB and comet lines through the element-line writers (published
// elements of known objects), and small pictures written as the photo
// builder writes them.
#include <stb_image_write.h>

#include "aid_writers.h"
#include "element_line_writers.h"
#include "seed_sink.h"

namespace celvaro::fuzz {
namespace {

constexpr double kDeg = 3.14159265358979323846 / 180;

void writeAidFileSeeds(SeedSink& sink) {
  sink.add("city_list", cityListBytes({{"Budapest", 4750, 1904, 60}, {"São Paulo", -2355, -4663, -180},
                                       {"Zürich", 4737, 854, 60}}));
  sink.add("star_hops", starHopBytes({{1 << 24 | 31, {{10.68 * kDeg, 41.27 * kDeg}, {14.2 * kDeg, 38.5 * kDeg},
                                                      {17.4 * kDeg, 35.6 * kDeg}}},
                                      {2 << 24 | 7000, {{314.7 * kDeg, 44.3 * kDeg}}}}));
  sink.add("sky_guide", skyGuideBytes({{0, 0, "STF1744", 0, 0, u"Mizar"}, {2, 1, "", 1, 31, u"Andromeda Galaxy"},
                                       {3, 2, "", 2, 7000, u"North America Nebula"}}));
}

void writeElementLineSeeds(SeedSink& sink) {
  AsteroidLine ceres{1, "", 3.34, 0.12, 2461200.5, 231.5, 73.3, 80.3, 10.59, 0.0796, 0.21412, 2.7655,
                     "MPO752723", "(1) Ceres"};
  AsteroidLine unnumbered{0, "2022 OU15", 18.2, 0.15, 2461200.5, 12.0, 200.0, 100.0, 5.0, 0.3, 0.25, 2.5,
                          "MPEC 2022-P01", "2022 OU15"};
  std::string header = "MPCORB header line\n";
  header += std::string(160, '-') + "\n";
  sink.add("minor_planets", header + mpcorbLine(ceres) + "\n" + mpcorbLine(unnumbered) + "\n");
  sink.add("minor_planets", mpcorbLine(ceres) + "\r\n");
  CometLine encke{2, 'P', "", 2023, 10, 22.47, 0.3393, 0.8471, 187.1, 334.2, 11.35, 2023, 9, 25, 11.5, 6.0,
                  "2P/Encke", "MPEC 2023-S01"};
  CometLine hyperbolic{-1, 'C', "K23A030", 2024, 9, 27.74, 0.3914, 1.0001, 308.5, 21.6, 139.1, 0, 0, 0, 8.0, 4.0,
                       "C/2023 A3 (Tsuchinshan-ATLAS)", "MPEC 2024-S11"};
  sink.add("comets", cometLine(encke) + "\n" + cometLine(hyperbolic) + "\n");
}

void appendBytes(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<size_t>(size));
}

void writePhotoSeeds(SeedSink& sink) {
  constexpr int kWidth = 16, kHeight = 8;
  unsigned char rgb[kWidth * kHeight * 3];
  for (int i = 0; i < kWidth * kHeight * 3; ++i) rgb[i] = static_cast<unsigned char>(i * 7);
  std::string jpeg, png;
  stbi_write_jpg_to_func(appendBytes, &jpeg, kWidth, kHeight, 3, rgb, 90);
  stbi_write_png_to_func(appendBytes, &png, kWidth, kHeight, 3, rgb, kWidth * 3);
  sink.add("photo", jpeg);
  sink.add("photo", png);
}

}  // namespace

void writeAidSeeds(SeedSink& sink) {
  writeAidFileSeeds(sink);
  writeElementLineSeeds(sink);
  writePhotoSeeds(sink);
}

}  // namespace celvaro::fuzz
