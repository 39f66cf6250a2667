// Checks of printed-map files by programs of their own: qpdf and
// pdftoppm for PDF, xmllint for SVG, Ghostscript for EPS. A test whose
// program is missing skips, saying which (./test installs them all).
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace celvaro::testing {

struct CommandResult {
  int status = -1;
  std::string output;  // standard output and error
};

inline CommandResult runCommand(const std::string& command) {
  CommandResult result;
  std::FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return result;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, n);
  result.status = ::pclose(pipe);
  return result;
}

// The command succeeded without a word.
inline void expectQuiet(const CommandResult& result) {
  EXPECT_EQ(result.status, 0) << result.output;
  EXPECT_EQ(result.output, "") << result.output;
}

inline bool haveTool(const std::string& name) { return runCommand("command -v " + name).status == 0; }

#define CELVARO_SKIP_WITHOUT(tool) \
  if (!::celvaro::testing::haveTool(tool)) GTEST_SKIP() << tool << " is not installed (./test installs it)"

// qpdf's structural check, then pdftoppm's rendering of the page into `png`.
inline void expectSoundPdf(const std::string& pdf, const std::string& png) {
  const CommandResult check = runCommand("qpdf --check '" + pdf + "'");
  EXPECT_EQ(check.status, 0) << check.output;
  EXPECT_EQ(check.output.find("WARNING"), std::string::npos) << check.output;
  const std::string stem = png.substr(0, png.size() - 4);
  expectQuiet(runCommand("pdftoppm -r 100 -png -singlefile '" + pdf + "' '" + stem + "'"));
}

// The pages pdfinfo counts in the file; -1 when it cannot read them.
inline int pdfPages(const std::string& pdf) {
  const std::string info = runCommand("pdfinfo '" + pdf + "'").output;
  const size_t at = info.find("\nPages:");
  return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 7);
}

// xmllint's check, then librsvg's rendering where rsvg-convert is installed.
inline void expectWellFormedSvg(const std::string& svg) {
  expectQuiet(runCommand("xmllint --noout '" + svg + "'"));
  if (haveTool("rsvg-convert")) expectQuiet(runCommand("rsvg-convert '" + svg + "' > /dev/null"));
}

// The text of a PDF as Poppler's pdftotext reads it, of an EPS as
// Ghostscript's text extraction does.
inline std::string extractedText(const std::string& path) {
  if (path.ends_with(".pdf")) return runCommand("pdftotext -raw '" + path + "' -").output;
  return runCommand("gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=txtwrite -sOutputFile=- '" + path + "'").output;
}

// Ghostscript renders the EPS into `png` at 100 dots per inch.
inline void expectRenderedEps(const std::string& eps, const std::string& png) {
  expectQuiet(runCommand("gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -dEPSCrop -r100 -sOutputFile='" + png + "' '" +
                         eps + "'"));
}

}  // namespace celvaro::testing
