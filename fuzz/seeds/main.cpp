// celvaro-fuzz-seeds DIR: writes the seed corpus of every fuzz target under
// DIR (replacing what was there), each input written by the program's own
// writers or taken from a session with a simulated mount.
#include <cstdio>
#include <filesystem>

#include "seed_sink.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: celvaro-fuzz-seeds DIR\n");
    return 2;
  }
  std::error_code error;
  std::filesystem::remove_all(argv[1], error);
  celvaro::fuzz::SeedSink sink(argv[1]);
  celvaro::fuzz::writeAppSeeds(sink);
  celvaro::fuzz::writeCatalogSeeds(sink);
  celvaro::fuzz::writeAidSeeds(sink);
  celvaro::fuzz::writeTelescopeSeeds(sink);
  for (const auto& [target, count] : sink.counts()) std::printf("%-24s %d seeds\n", target.c_str(), count);
  if (sink.failed()) std::fprintf(stderr, "celvaro-fuzz-seeds: could not write every seed under %s\n", argv[1]);
  return sink.failed() ? 1 : 0;
}
