// celvaro-chart's command line: the input's NUL-separated parts are the
// arguments. A request that is taken must hold only what the checks let
// through: a real date, a picture size and a page the chart fits on.
#include <cstdlib>
#include <string>
#include <vector>

#include "app/chart_request.h"
#include "astro/calendar.h"
#include "fuzz_files.h"
#include "render/chart_export.h"

using namespace celvaro;

namespace {

bool isRealDate(const ChartDate& d) {
  const int values[] = {d.year, d.month, d.day, d.hour, d.minute, static_cast<int>(d.seconds)};
  for (int field = 0; field < 6; ++field) {
    if (!dateFieldRange(field, d.year, d.month).holds(values[field])) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(fuzz::inputText(data, size));
  std::vector<std::string> args;
  for (size_t start = 0; start <= input.size();) {
    const size_t end = std::min(input.find('\0', start), input.size());
    args.push_back(input.substr(start, end - start));
    start = end + 1;
  }
  std::string error;
  const auto request = parseChartRequest(args, error);
  if (!request) return 0;
  if (request->utc && !isRealDate(*request->utc)) std::abort();
  if (request->width < 16 || request->height < 16 || request->width > 16384 || request->height > 16384) std::abort();
  if (!fitsOnPage(printableMapOf(*request))) std::abort();
  return 0;
}
