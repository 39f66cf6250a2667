// A canvas that writes down what is drawn, one line of text per call.
#pragma once

#include <string>
#include <vector>

#include "output/canvas.h"
#include "platform/utf_text.h"

namespace celvaro::testing {

class RecordingCanvas : public Canvas {
 public:
  void setPen(Rgb c, bool xorMode) override { add("pen " + rgb(c) + (xorMode ? " xor" : "")); }
  void setBrush(const Rgb* c) override { add(c ? "brush " + rgb(*c) : "brush none"); }
  void fillRect(int32_t l, int32_t t, int32_t r, int32_t b, Rgb c) override {
    add("fill " + nums({l, t, r, b}) + " " + rgb(c));
  }
  void line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override { add("line " + nums({x1, y1, x2, y2})); }
  void polyline(const DevicePoint* p, int n) override {
    std::string s = "polyline";
    for (int i = 0; i < n; ++i) s += " " + std::to_string(p[i].x) + "," + std::to_string(p[i].y);
    add(s);
    polylines.emplace_back(p, p + n);
  }
  void fillArea(const DevicePoint* p, const uint32_t* ends, int rings, Rgb c) override {
    std::string s = "area " + rgb(c);
    for (int k = 0, i = 0; k < rings; ++k) {
      s += " |";
      for (; i < static_cast<int>(ends[k]); ++i) s += " " + std::to_string(p[i].x) + "," + std::to_string(p[i].y);
    }
    add(s);
  }
  void ellipse(int32_t l, int32_t t, int32_t r, int32_t b) override { add("ellipse " + nums({l, t, r, b})); }
  void text(int32_t x, int32_t y, std::u16string_view text, Rgb c) override {
    add("text " + nums({x, y}) + " " + utf16ToUtf8(text) + " " + rgb(c));
  }

  std::vector<std::string> calls;
  std::vector<std::vector<DevicePoint>> polylines;

 private:
  void add(std::string s) { calls.push_back(std::move(s)); }
  static std::string rgb(Rgb c) {
    return std::to_string(c.red) + ";" + std::to_string(c.green) + ";" + std::to_string(c.blue);
  }
  static std::string nums(std::initializer_list<int32_t> v) {
    std::string s;
    for (int32_t x : v) s += (s.empty() ? "" : " ") + std::to_string(x);
    return s;
  }
};

}  // namespace celvaro::testing
