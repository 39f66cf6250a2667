// The screen output drawing into a recording canvas, its hit list beside it.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "output/recording_canvas.h"
#include "output/rendering_output_display.h"

namespace celvaro::testing {

class RecordedScreen : public ::testing::Test {
 protected:
  explicit RecordedScreen(int32_t width = 801, int32_t height = 600) : output(colors) {
    output.setCanvas(&canvas);
    output.setHitList(&hits);
    area.width = width;
    area.height = height;
    output.begin("", {}, area);
  }
  std::string last() const { return canvas.calls.empty() ? "" : canvas.calls.back(); }

  ColorTable colors;
  RecordingCanvas canvas;
  HitList hits;
  OutputArea area;
  RenderingOutputDisplay output;
};

}  // namespace celvaro::testing
