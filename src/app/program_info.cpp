#include "app/program_info.h"

#include <algorithm>
#include <cstdio>

namespace celvaro {

const char* programVersion() { return CELVARO_VERSION; }

std::optional<int> answerHelpOrVersion(const std::vector<std::string>& args, const std::string& program,
                                       const std::string& usage) {
  const bool help = std::find(args.begin(), args.end(), "--help") != args.end();
  const bool version = std::find(args.begin(), args.end(), "--version") != args.end();
  if (help) std::fputs(usage.c_str(), stdout);
  else if (version) std::printf("%s %s\n", program.c_str(), programVersion());
  if (!help && !version) return std::nullopt;
  return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace celvaro
