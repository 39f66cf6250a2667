// A star catalog as the chart draws and queries it.
#pragma once

#include <cstdint>
#include <string>

#include "astro/star_position.h"

namespace celvaro {

class RenderingOutput;
class iTransformer;
class ProperMotions;
struct ChartSettings;
struct OutputArea;

// Which catalogue a catalog's star numbers belong to.
enum IdentifierKind : int { kIdentifierHipparcos = 3, kIdentifierTycho = 8 };

class iStarData {
 public:
  virtual ~iStarData() = default;

  // Files given to open are resolved against this directory.
  virtual void setDataDirectory(const std::string& directory) = 0;
  // 0, or 4 when the file cannot be opened. A rejected header still
  // answers 0 and leaves the catalog empty.
  virtual int open(const std::string& relativePath) = 0;
  // Draws every star not fainter than the limit (hundredths) on the visible
  // side of the projection; with `recordIndices` each star is drawn with
  // its index so a click can find it.
  virtual void draw(RenderingOutput& output, iTransformer& transformer, const ChartSettings& settings,
                    const OutputArea& area, int32_t limitHundredths, bool recordIndices) = 0;
  virtual bool getPosition(int index, StarPosition& out) const = 0;
  // Appends the star's short designation.
  virtual bool getDesignation(int index, std::string& out) const = 0;
  // The identifier kind and up to four catalogue numbers.
  virtual bool getCatalogNumbers(int index, int& kind, int32_t& n1, int32_t& n2, int32_t& n3,
                                 int32_t& n4) const = 0;
  virtual int starCount() const = 0;
  // Moves the stars from their J2000 places to those of a Julian date by
  // their proper motions; catalogs without Hipparcos numbers stay put.
  virtual void moveStars(const ProperMotions& /*motions*/, double /*julianDate*/) {}
  // Readies the stars down to a limit for drawing, so that a loader can do
  // ahead of the first chart what its drawing would do; catalogs that keep
  // nothing ready do nothing.
  virtual void prepareStars(int32_t /*limitHundredths*/) {}
};

}  // namespace celvaro
