// A private scratch program directory whose port 1 is the serial device the
// user named: the telescope controller finds port n as
// <programDirectory>/ports/COM<n>. It is needed only until the port is
// open; it goes when removed, when the object goes, and when a second
// SIGINT, SIGTERM or SIGHUP ends the program at once (tools/scope/
// interruption.h). One a process.
#pragma once

#include <string>

namespace celvaro::scope {

class PortLink {
 public:
  // Makes the directory under $TMPDIR (or /tmp) and links ports/COM1 to
  // the device; for no device only the directory. ok() tells whether it worked.
  explicit PortLink(const std::string& device);
  ~PortLink() { remove(); }
  PortLink(const PortLink&) = delete;
  PortLink& operator=(const PortLink&) = delete;

  bool ok() const { return ok_; }
  const std::string& directory() const { return directory_; }
  // Removes the link and the directory.
  void remove();

 private:
  std::string directory_;
  bool ok_ = false;
};

}  // namespace celvaro::scope
