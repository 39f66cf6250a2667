#include "source_cache.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace celvaro {
namespace {

namespace fs = std::filesystem;

std::string quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// A marker beside a finished step, so an interrupted fetch is redone.
bool isDone(const fs::path& marker, const std::string& contents) {
  std::ifstream in(marker);
  if (!in) return false;
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return text == contents;
}

void markDone(const fs::path& marker, const std::string& contents) { std::ofstream(marker) << contents; }

}  // namespace

std::string SourceCache::defaultDirectory() {
  const char* xdg = std::getenv("XDG_CACHE_HOME");
  const char* home = std::getenv("HOME");
  const std::string base = xdg && *xdg ? xdg : std::string(home ? home : ".") + "/.cache";
  return base + "/celvaro/datasrc";
}

SourceCache::SourceCache(std::string directory) : directory_(std::move(directory)) {
  fs::create_directories(directory_);
}

bool SourceCache::run(const std::string& command) const {
  const fs::path errors = fs::path(directory_) / ".errors";
  if (std::system(("(" + command + ") 2> " + quoted(errors.string())).c_str()) == 0) return true;
  // The tool's own words say why: a name it cannot resolve, a refused
  // connection, a package it does not know.
  std::ifstream in(errors);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty()) std::printf("    %s\n", line.c_str());
  }
  std::fflush(stdout);
  return false;
}

std::string SourceCache::npmPackage(const std::string& name, const std::string& version) {
  const fs::path root = fs::path(directory_) / (name + "-" + version);
  const fs::path marker = root / ".unpacked";
  if (isDone(marker, version)) return (root / "package").string();
  std::printf("  fetching the npm package %s %s...\n", name.c_str(), version.c_str());
  std::fflush(stdout);
  fs::remove_all(root);
  fs::create_directories(root);
  const std::string tarball = name + "-" + version + ".tgz";
  if (!run("cd " + quoted(root.string()) + " && timeout 900 npm pack --loglevel=error " + quoted(name + "@" + version) +
           " > /dev/null && tar -xzf " + quoted(tarball) + " && rm -f " + quoted(tarball))) {
    return "";
  }
  markDone(marker, version);
  return (root / "package").string();
}

std::string SourceCache::debianPackage(const std::string& name, const std::vector<std::string>& members) {
  const fs::path root = fs::path(directory_) / name;
  const fs::path marker = root / ".unpacked";
  std::string wanted;
  for (const std::string& m : members) wanted += m + "\n";
  if (isDone(marker, wanted)) return root.string();
  const fs::path debs = fs::path(directory_) / "debs";
  fs::create_directories(debs);
  const std::string pattern = quoted((debs / (name + "_")).string()) + "*.deb";
  if (!run("ls " + pattern + " > /dev/null 2>&1")) {
    std::printf("  downloading the Debian package %s...\n", name.c_str());
    std::fflush(stdout);
    const std::string download = "cd " + quoted(debs.string()) + " && apt-get download -q " + quoted(name) + " > /dev/null";
    // An empty package list (a freshly cleaned machine) is refreshed once.
    const std::string sudo = geteuid() == 0 ? "" : "sudo ";
    if (!run(download) && !(run(sudo + "apt-get update -q > /dev/null") && run(download))) return "";
  }
  std::printf("  unpacking %s...\n", name.c_str());
  std::fflush(stdout);
  fs::remove_all(root);
  fs::create_directories(root);
  std::string patterns;
  for (const std::string& m : members) patterns += " " + quoted("./" + m);
  if (!run("dpkg-deb --fsys-tarfile $(ls " + pattern + " | head -n 1) | tar -x -C " + quoted(root.string()) +
           " --wildcards" + patterns)) {
    return "";
  }
  markDone(marker, wanted);
  return root.string();
}

}  // namespace celvaro
