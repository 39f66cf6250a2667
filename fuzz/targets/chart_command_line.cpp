// celvaro-chart's command line: the input's NUL-separated parts are the
// arguments. A request that is taken must hold only what the checks let
// through: a real date, a picture size and a page the chart fits on.
#include <cstdlib>
#include <string>
#include <vector>

#include "app/chart_request.h"
#include "command_line_input.h"
#include "render/chart_export.h"

using namespace celvaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string> args = fuzz::commandLineArguments(data, size);
  std::string error;
  const auto request = parseChartRequest(args, error);
  if (!request) return 0;
  if (request->utc && !fuzz::isRealDate(*request->utc)) std::abort();
  if (request->width < 16 || request->height < 16 || request->width > 16384 || request->height > 16384) std::abort();
  if (!fitsOnPage(printableMapOf(*request))) std::abort();
  return 0;
}
