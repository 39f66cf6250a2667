// Builds data/photos: the object photographs of the Stellarium sky images
// (nebulae/default/*.png with their footprints and credits in
// textures.json), converted to JPEG files named for findPhoto, with
// data/photos/CREDITS.txt giving each one's credit.
//
// A sky image whose file name begins with "m", "n" or "ic" and a number
// ("m1dumont.png", "n7000.png", "ic1396.png") becomes "M_1.jpg",
// "NGC_7000.jpg", "IC_1396.jpg"; of two images of one object the first
// file name in order is taken. A Messier object that has no image of its
// own, under either of its numbers, takes the smallest image whose
// footprint holds it (M 32 and M 110 that of M 31, M 43 that of M 42, M 45
// the Pleiades image). Images wider or higher than 512 pixels are scaled
// down to 512; JPEG quality 85.
#pragma once

#include <array>
#include <optional>
#include <string>

namespace celvaro {

struct PhotoSourcePaths {
  std::string textures;  // Stellarium nebulae/default/textures.json
  std::string images;    // the directory of the images
};

// The photo file name of a sky image's name; none for other images.
std::optional<std::string> photoFileName(const std::string& imageName);

// Whether a sky position (degrees) lies inside a footprint of four
// corners (degrees, in order around it).
bool insideFootprint(double raDeg, double decDeg, const std::array<std::array<double, 2>, 4>& corners);

// Writes data/photos into `dataDirectory` and prints what it holds.
bool buildPhotoFiles(const PhotoSourcePaths& sources, const std::string& dataDirectory);

}  // namespace celvaro
