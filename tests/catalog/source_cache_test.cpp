// The data builder's source cache: a fetch that fails says why in the
// fetching tool's own words.
#include "source_cache.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "test_files.h"

namespace celvaro {
namespace {

using testing::ScratchDir;

TEST(SourceCache, AFailedFetchShowsTheToolsErrorLines) {
  ScratchDir dir;
  // An npm that cannot reach its registry, as npm reports it.
  testing::writeBytes(dir.file("npm"),
                      "#!/bin/sh\necho 'npm error code ENOTFOUND' >&2\n"
                      "echo 'npm error request to https://registry.npmjs.org/x failed' >&2\nexit 1\n");
  ::chmod(dir.file("npm").c_str(), 0755);
  testing::EnvironmentValue path("PATH", (dir.path().string() + ":/usr/bin:/bin").c_str());
  SourceCache cache(dir.file("cache"));
  ::testing::internal::CaptureStdout();
  const std::string fetched = cache.npmPackage("x", "1.0");
  const std::string said = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(fetched, "");
  EXPECT_NE(said.find("    npm error code ENOTFOUND\n"), std::string::npos) << said;
  EXPECT_NE(said.find("registry.npmjs.org/x failed"), std::string::npos) << said;
}

}  // namespace
}  // namespace celvaro
