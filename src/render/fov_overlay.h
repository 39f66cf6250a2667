// The field-of-view overlay: the camera frame, the guider frame and the
// circle of the total usable field, drawn at their angular size for the
// chart's scale at a sky position, shifted and turned as the user set them.
#pragma once

#include <cstdint>
#include <optional>

#include "render/fov_schemes.h"

namespace celvaro {

class RenderingOutput;
class iTransformer;

// One overlay as drawn. Sizes in hundredths of an arcminute.
struct FovOverlay {
  uint8_t shown = 0;        // 1 while the overlay is on the chart
  int elementFlags = 0;     // FovScheme::Element bits
  int cameraWidth = 0;
  int cameraHeight = 0;
  int totalFieldRadius = 0;
  int guiderWidth = 0;
  int guiderHeight = 0;
  int guiderOffset = 0;     // of the guider frame's centre from the overlay centre
  int shiftRa = 0;          // whole arcminutes, -60..60
  int shiftDec = 0;
  int cameraRotation = 0;   // whole degrees, -180..180
  int guiderRotation = 0;
  double centreRaRad = 0;
  double centreDecRad = 0;
  bool operator==(const FovOverlay&) const = default;
};

// Fills the element flags and the six angular sizes from the scheme and
// sets the shifts and rotations to 0; the shown flag and the centre stay.
// A side centred on the axis spans 2 atan(side / 2f), a radius or an
// offset atan(length / f); a focal length of 0 or less gives sizes of 0.
void schemeToOverlay(const FovScheme& scheme, FovOverlay& overlay);

// Where an overlay was drawn: the sky position its shifted centre points at
// (its shifts in arcminutes on the sky, west and north of its centre), which
// is where its frames are drawn, and, when that lies inside the output, its
// device position.
struct FovOverlayPlacement {
  double pointingRaRad = 0;
  double pointingDecRad = 0;
  bool onDevice = false;
  int32_t deviceX = 0, deviceY = 0;
};

// Draws the overlay's elements with the output's current pen and brush
// around where it points. Nothing is drawn, and nothing answered, when that
// cannot be projected onto the visible side.
std::optional<FovOverlayPlacement> drawFovOverlay(const FovOverlay& overlay, RenderingOutput& output,
                                                  iTransformer& transformer);

}  // namespace celvaro
