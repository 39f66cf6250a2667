// One pass of a printed-map output into a scratch file, with the print
// options: begun in the constructor, ended by finish, which answers the
// file's bytes.
#pragma once

#include <string>

#include "output/render_options.h"
#include "output/rendering_output.h"
#include "test_files.h"

namespace celvaro::testing {

constexpr PageSize kA4{21000, 29700};

// A chart filling a 1000 x 1000 page whose origin is the page's corner:
// chart and page coordinates agree (y upward).
inline OutputArea cornerArea() { return {.left = -500, .top = -500, .width = 1000, .height = 1000}; }

// The chart of an A4 page with 10 mm margins: 190 by 267 mm, 20 mm above
// the page's bottom, over a 10 mm legend strip.
inline OutputArea printedArea() {
  return {.left = 1000, .top = 2000, .width = 19000, .height = 26700, .legendWidth = 19000, .legendHeight = 1000};
}

template <typename Output>
class FilePass {
 public:
  explicit FilePass(const std::string& name, PageSize page = {1000, 1000}, OutputArea area = cornerArea())
      : path_(dir_.file(name)) {
    output.setOptions(printRenderOptions());
    begun = output.begin(path_, page, area);
  }
  std::string finish() {
    output.end();
    return readBytes(path_);
  }
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return dir_.file(name); }

  Output output;
  bool begun = false;

 private:
  ScratchDir dir_;
  std::string path_;
};

}  // namespace celvaro::testing
