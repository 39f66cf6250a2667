// What every program answers before it does anything else, without a
// display: --help prints its usage and --version its name and version on
// standard output, and the program ends with exit code 0.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace celvaro {

// The version of the programs, "2.3".
const char* programVersion();

// When --help or --version is among the arguments: prints the usage or
// "<program> <version>" and returns 0; else none.
std::optional<int> answerHelpOrVersion(const std::vector<std::string>& args, const std::string& program,
                                       const std::string& usage);

}  // namespace celvaro
