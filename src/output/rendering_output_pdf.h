// The PDF output: a PDF 1.3 file of one page or more, uncompressed, every
// number an integer. One matrix at the top of each page turns hundredths of
// a millimetre into points; each magnitude class of stars is a form XObject
// drawn once, so that a star costs one short line of the page. Charts of
// other star sizes on the same page or later ones get forms of their own.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "output/rendering_output_file.h"

namespace celvaro {

class RenderingOutputPdf final : public RenderingOutputFile {
 public:
  static constexpr int kStarClasses = StarSizeTable::kClasses;
  static constexpr int32_t kLargestStarRadius = 1000;
  static constexpr int32_t kFallbackStarRadius = 40;

  RenderingOutputPdf() : RenderingOutputFile(false) {}

  bool drawsStarsByClass() const override { return true; }
  void beginGroup(std::string_view) override {}
  void endGroup() override {}
  void rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, bool stroke, bool fill) override;
  void setFrameLineStyle() override;
  void selectPen(int lineStyle) override;
  void selectBrush(int fillStyle) override;
  void setTextStyle(int textStyle) override;

  // Object numbers of the file for n star classes, those of the first page;
  // later pages and forms are numbered after them.
  static constexpr int kCatalogObject = 1;
  static constexpr int kTextFontObject = kStarClasses + 2;
  static constexpr int kSymbolFontObject = kStarClasses + 3;
  static constexpr int kPagesObject = kStarClasses + 4;
  static constexpr int kPageObject = kStarClasses + 5;
  static constexpr int kContentObject = kStarClasses + 6;
  static constexpr int kLengthObject = kStarClasses + 7;

 private:
  void writeHeader(PageSize page) override;
  void writeTrailer() override;
  void writeChartStart() override;
  bool writePageBreak() override;
  void beginClip(Point low, Point high) override;
  void endClip() override;
  void moveTo(int32_t x, int32_t y) override;
  void lineTo(int32_t x, int32_t y) override;
  void curveTo(Point a, Point b, Point end) override;
  void closePath() override { put("h "); }
  void strokePath() override { put("S\r\n"); }
  void circleOutline(int32_t x, int32_t y, int32_t radius) override;
  void star(int32_t x, int32_t y, int32_t magClass, int32_t radius) override;
  void bodyDisc(int32_t x, int32_t y, int32_t radius) override;
  void fillOutline(const std::vector<Point>& outline, int greyPercent) override;
  void fillArea(const AreaRings& area, int greyPercent) override;
  // "q 0.96 g ": the state saved, the fill in grey (percent of white).
  void beginGreyFill(int greyPercent);
  void writeText(int32_t x, int32_t y, int textClass, std::u16string_view text) override;
  void writeStarLabel(int32_t x, int32_t y, const StarLabelParts& label) override;

  // The star forms of one set of star sizes, objects first .. first + n - 1.
  struct FormSet {
    std::array<int32_t, kStarClasses> diameters;
    int firstObject;
  };

  int newObject() { return nextObject_++; }
  void beginObject(int number);
  void endObject() { put("endobj\r\n"); }
  // The form set of the star sizes now set, written when new.
  int formSetOfStarSizes();
  void starObject(int number, int magClass);
  static std::string textEncoding();
  void putRuns(std::u16string_view text, int32_t size, const std::function<void()>& place);
  void fontObject(int number, std::string_view name, std::string_view baseFont, std::string_view encoding);
  // The page's text is kept apart until the page ends; then its stream,
  // the stream's length and the page object are written.
  void startPage(int pageObject, int contentObject, int lengthObject);
  void finishPage();
  void pageObject();
  void putReference(int object);
  // Texts are filled with the fill colour: the text colour and the fill
  // style's are put back in turn when the other replaced them.
  void useTextColour();
  void useFillColour();

  std::vector<size_t> offsets_;  // of objects 1, 2, ...
  int nextObject_ = 1;
  PageSize page_;
  std::vector<FormSet> formSets_;
  std::vector<int> pageKids_;
  // The page being written: its objects, its text and the form sets its
  // charts use, each named xobj from its place in the list times the class count.
  int pageObject_ = 0, contentObject_ = 0, lengthObject_ = 0;
  std::string content_;
  std::vector<int> pageSets_;
  int starNameBase_ = 0;
  bool fillIsText_ = false;
};

}  // namespace celvaro
