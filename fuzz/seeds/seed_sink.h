// Where the seed writers put their inputs: one directory per fuzz target
// under the corpus root, each input a file of its own.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace celvaro::fuzz {

class SeedSink {
 public:
  explicit SeedSink(std::filesystem::path root) : root_(std::move(root)) {}
  // Adds an input for the target (the name without fuzz_); false when it
  // could not be written.
  bool add(std::string_view target, std::string_view bytes);
  // Targets and the number of inputs written for each.
  const std::map<std::string, int>& counts() const { return counts_; }
  bool failed() const { return failed_; }

 private:
  std::filesystem::path root_;
  std::map<std::string, int> counts_;
  bool failed_ = false;
};

// The writers, one per group of targets.
void writeAppSeeds(SeedSink& sink);
void writeCatalogSeeds(SeedSink& sink);
void writeAidSeeds(SeedSink& sink);
void writeTelescopeSeeds(SeedSink& sink);

}  // namespace celvaro::fuzz
