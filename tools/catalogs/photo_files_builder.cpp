#include "photo_files_builder.h"

#include <stb_image.h>
#include <stb_image_resize.h>
#include <stb_image_write.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <numbers>
#include <vector>

#include "aids/photo_finder.h"
#include "catalog/deepsky_data.h"
#include "platform/binary_file.h"
#include "sky_guide_builder.h"

namespace celvaro {
namespace {

namespace fs = std::filesystem;
using Footprint = std::array<std::array<double, 2>, 4>;

constexpr double kRadPerDeg = std::numbers::pi / 180;
constexpr int kMaxSide = 512;
constexpr int kJpegQuality = 85;
constexpr int kMessierCount = 110;

struct SkyImage {
  std::string file;
  std::string credit;
  Footprint corners{};
};

struct Prefix {
  const char* source;
  const char* photo;
};
constexpr Prefix kPrefixes[] = {{"ic", "IC_"}, {"m", "M_"}, {"n", "NGC_"}};

// The textures file writes some numbers as "-.97" and " .5", which JSON
// does not allow: a leading zero is put before such a point.
std::string withLeadingZeros(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const bool bare = text[i] == '.' && i + 1 < text.size() && std::isdigit(static_cast<unsigned char>(text[i + 1])) &&
                      (i == 0 || !std::isdigit(static_cast<unsigned char>(text[i - 1])));
    if (bare) out += '0';
    out += text[i];
  }
  return out;
}

bool readSkyImages(const std::string& path, std::vector<SkyImage>& images) {
  std::string text;
  if (!readWholeFile(path, text)) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    return false;
  }
  const nlohmann::json root = nlohmann::json::parse(withLeadingZeros(text), nullptr, false);
  if (root.is_discarded() || !root.contains("subTiles")) {
    std::fprintf(stderr, "%s is not the expected JSON\n", path.c_str());
    return false;
  }
  for (const nlohmann::json& tile : root["subTiles"]) {
    SkyImage image;
    image.file = tile.value("imageUrl", "");
    image.credit = tile.contains("imageCredits") ? tile["imageCredits"].value("short", "") : "";
    const nlohmann::json& coords = tile["worldCoords"][0];
    for (size_t k = 0; k < 4 && k < coords.size(); ++k) image.corners[k] = {coords[k][0].get<double>(), coords[k][1].get<double>()};
    images.push_back(std::move(image));
  }
  std::sort(images.begin(), images.end(), [](const SkyImage& a, const SkyImage& b) { return a.file < b.file; });
  return !images.empty();
}

struct Tangent {
  double x, y;
};

// The gnomonic projection of a position about a centre.
Tangent project(double raDeg, double decDeg, double centreRa, double centreDec) {
  const double ra = raDeg * kRadPerDeg, dec = decDeg * kRadPerDeg, ra0 = centreRa * kRadPerDeg, dec0 = centreDec * kRadPerDeg;
  const double cosC = std::sin(dec0) * std::sin(dec) + std::cos(dec0) * std::cos(dec) * std::cos(ra - ra0);
  if (cosC <= 0) return {1e9, 1e9};
  return {std::cos(dec) * std::sin(ra - ra0) / cosC,
          (std::cos(dec0) * std::sin(dec) - std::sin(dec0) * std::cos(dec) * std::cos(ra - ra0)) / cosC};
}

double footprintArea(const Footprint& corners) {
  std::array<Tangent, 4> p;
  for (size_t k = 0; k < 4; ++k) p[k] = project(corners[k][0], corners[k][1], corners[0][0], corners[0][1]);
  double area = 0;
  for (size_t k = 0; k < 4; ++k) area += p[k].x * p[(k + 1) % 4].y - p[(k + 1) % 4].x * p[k].y;
  return std::abs(area) / 2;
}

bool writeJpeg(const std::string& source, const std::string& target) {
  int width = 0, height = 0, channels = 0;
  stbi_uc* pixels = stbi_load(source.c_str(), &width, &height, &channels, 3);
  if (!pixels) return false;
  std::vector<unsigned char> scaled;
  const unsigned char* out = pixels;
  int w = width, h = height;
  if (std::max(width, height) > kMaxSide) {
    const double scale = static_cast<double>(kMaxSide) / std::max(width, height);
    w = std::max(1, static_cast<int>(std::lround(width * scale)));
    h = std::max(1, static_cast<int>(std::lround(height * scale)));
    scaled.resize(static_cast<size_t>(w) * h * 3);
    stbir_resize_uint8(pixels, width, height, 0, scaled.data(), w, h, 0, 3);
    out = scaled.data();
  }
  const bool written = stbi_write_jpg(target.c_str(), w, h, 3, out, kJpegQuality) != 0;
  stbi_image_free(pixels);
  return written;
}

// The photo names of the images named for their objects, first file first.
std::map<std::string, const SkyImage*> namedPhotos(const std::vector<SkyImage>& images) {
  std::map<std::string, const SkyImage*> photos;
  for (const SkyImage& image : images) {
    if (auto name = photoFileName(image.file)) photos.try_emplace(*name, &image);
  }
  return photos;
}

std::string messierPhotoName(int number) { return "M_" + std::to_string(number) + ".jpg"; }

// Messier objects without an image of their own take the smallest image
// that holds them.
void addMessierFootprints(const std::vector<SkyImage>& images, const iDeepskyData& deepsky,
                          std::map<std::string, const SkyImage*>& photos) {
  for (int m = 1; m <= kMessierCount; ++m) {
    StarPosition at;
    int32_t first = 0, second = 0;
    if (!deepsky.findById(kIdMessier, m, at) || !deepsky.getPrimaryIds(at.index, first, second)) continue;
    const std::string ngc = (second >> 24) == kIdNgc ? "NGC_" + std::to_string(second & 0xFFFFFF) + ".jpg" : "";
    if (photos.count(messierPhotoName(m)) || photos.count(ngc)) continue;
    const SkyImage* best = nullptr;
    for (const SkyImage& image : images) {
      if (!insideFootprint(at.raRad / kRadPerDeg, at.decRad / kRadPerDeg, image.corners)) continue;
      if (!best || footprintArea(image.corners) < footprintArea(best->corners)) best = &image;
    }
    if (best) photos[messierPhotoName(m)] = best;
  }
}

}  // namespace

std::optional<std::string> photoFileName(const std::string& imageName) {
  for (const Prefix& prefix : kPrefixes) {
    const size_t length = std::char_traits<char>::length(prefix.source);
    if (imageName.compare(0, length, prefix.source) != 0) continue;
    size_t end = length;
    while (end < imageName.size() && std::isdigit(static_cast<unsigned char>(imageName[end]))) ++end;
    if (end == length || end - length > 4 || imageName[length] == '0') return std::nullopt;
    return prefix.photo + imageName.substr(length, end - length) + ".jpg";
  }
  return std::nullopt;
}

bool insideFootprint(double raDeg, double decDeg, const Footprint& corners) {
  double centreRa = 0, centreDec = 0, x = 0, y = 0;
  for (const auto& c : corners) {
    x += std::cos(c[0] * kRadPerDeg), y += std::sin(c[0] * kRadPerDeg), centreDec += c[1] / 4;
  }
  centreRa = std::atan2(y, x) / kRadPerDeg;
  const Tangent p = project(raDeg, decDeg, centreRa, centreDec);
  int positive = 0, negative = 0;
  for (size_t k = 0; k < 4; ++k) {
    const Tangent a = project(corners[k][0], corners[k][1], centreRa, centreDec);
    const Tangent b = project(corners[(k + 1) % 4][0], corners[(k + 1) % 4][1], centreRa, centreDec);
    const double cross = (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
    (cross >= 0 ? positive : negative)++;
  }
  return positive == 4 || negative == 4;
}

bool buildPhotoFiles(const PhotoSourcePaths& sources, const std::string& dataDirectory) {
  std::vector<SkyImage> images;
  std::unique_ptr<iDeepskyData> deepsky = openBuiltDeepsky(dataDirectory);
  if (!deepsky || !readSkyImages(sources.textures, images)) return false;
  std::map<std::string, const SkyImage*> photos = namedPhotos(images);
  addMessierFootprints(images, *deepsky, photos);
  const fs::path directory = fs::path(dataDirectory) / "photos";
  fs::remove_all(directory);
  fs::create_directories(directory);
  std::ofstream credits(directory / "CREDITS.txt");
  credits << "Photographs of deep-sky objects, converted from the sky images of the Stellarium data\n"
             "(nebulae/default). Each file, the image it was made from, and the image's credit:\n\n";
  int written = 0;
  for (const auto& [name, image] : photos) {
    if (!writeJpeg(sources.images + "/" + image->file, (directory / name).string())) {
      std::fprintf(stderr, "cannot convert %s\n", image->file.c_str());
      continue;
    }
    credits << name << "\t" << image->file << "\t" << (image->credit.empty() ? "(no credit given)" : image->credit) << "\n";
    ++written;
  }
  int messier = 0;
  for (const auto& [name, image] : photos) messier += name.starts_with("M_");
  std::printf("  photos: %d of %zu sky images and footprints, %d of them for Messier objects\n", written, images.size(),
              messier);
  return written > 0 && credits.good();
}

}  // namespace celvaro
