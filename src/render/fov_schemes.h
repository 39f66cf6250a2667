// The field-of-view scheme: the camera and guider geometry the chart's
// field-of-view overlay is drawn from, kept in fovschemes.dat in the
// program directory as eight "key=value\r\n" lines.
#pragma once

#include <string>

namespace celvaro {

// Lengths in the focal plane in hundredths of a millimetre, the focal
// length in whole millimetres.
struct FovScheme {
  // The overlay elements, as bits of `flags`.
  enum Element : int { kTotalField = 1, kCamera = 2, kGuider = 4 };

  int flags = kCamera | kGuider;
  int cameraWidth = 2200;
  int cameraHeight = 1600;
  int totalFieldRadius = 2500;
  int guiderWidth = 800;
  int guiderHeight = 800;
  int guiderOffset = 1800;  // of the guider field's centre from the overlay centre
  int focalLength = 1200;
  bool operator==(const FovScheme&) const = default;
};

// The scheme with the file it comes from and goes back to.
class FovSchemes {
 public:
  // Reads the file at `path` and keeps the path for save. Keys without a
  // value, and a missing file, leave the values as they are; afterwards the
  // scheme counts as unmodified. False when the file cannot be opened.
  bool load(const std::string& path);
  // Writes the file when the scheme was modified since it was read. The old
  // file is replaced only once the new one is complete on the disk; false
  // when it could not be written.
  bool save();
  // The eight lines of the file.
  std::string text() const;

  void markModified() { modified_ = true; }
  bool modified() const { return modified_; }

  FovScheme scheme;

 private:
  std::string path_;
  bool modified_ = false;
};

}  // namespace celvaro
