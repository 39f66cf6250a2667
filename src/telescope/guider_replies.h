// What the guider port tells a guiding client about the mount, in the
// replies of an LX200 mount: where it points (":GR#", ":GD#"; zeros until
// a position is known), and the site and clock of the program's observing
// place with fixed values for the rest (":Gc#", ":GM#", ":GT#", ":Gt#",
// ":Gg#", ":GG#", ":GL#", ":GC#", ":GV?#"), so a client that asks them at
// connect gets its answers at once instead of waiting for each. The
// command thread hands in positions, the user-interface thread the place;
// the guider port's reader asks.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>

#include "astro/observing_place.h"

namespace celvaro {

class GuiderReplies {
 public:
  using Now = std::function<std::chrono::system_clock::time_point()>;

  explicit GuiderReplies(Now now = [] { return std::chrono::system_clock::now(); }) : now_(std::move(now)) {}

  void setPlace(const ObservingPlace& place);
  // Right ascension and declination in radians.
  void setPosition(double raRad, double decRad);
  // The reply to a query, given the bytes between ':' and '#' ("GR",
  // "GVP"); empty for a command that is not answered.
  std::string reply(std::string_view command) const;

 private:
  std::string siteReply(std::string_view command) const;
  std::string clockReply(char letter) const;
  // The clock's instant in whole seconds since 1970.
  int64_t nowSeconds() const;

  mutable std::mutex mutex_;
  ObservingPlace place_;
  bool positionKnown_ = false;
  double raRad_ = 0, decRad_ = 0;
  Now now_;
};

}  // namespace celvaro
