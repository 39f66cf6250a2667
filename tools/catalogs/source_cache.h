// The public catalog sources, fetched once into a cache outside the
// checkout and reused by every later build: npm packages (npm pack) and
// Debian packages (apt-get download, unpacked with dpkg-deb, never installed).
#pragma once

#include <string>
#include <vector>

namespace celvaro {

class SourceCache {
 public:
  // ${XDG_CACHE_HOME:-~/.cache}/celvaro/datasrc
  static std::string defaultDirectory();

  explicit SourceCache(std::string directory);

  // The unpacked package directory of an npm package, or "" on failure.
  std::string npmPackage(const std::string& name, const std::string& version);
  // The root under which the listed members (paths inside the package,
  // shell patterns allowed) of a Debian package are unpacked, or "".
  std::string debianPackage(const std::string& name, const std::vector<std::string>& members);

 private:
  // Runs a shell command; on failure prints the error lines it wrote.
  bool run(const std::string& command) const;

  std::string directory_;
};

}  // namespace celvaro
