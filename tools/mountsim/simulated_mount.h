// What a simulated mount does with the bytes it receives: it cuts them into
// commands and answers each one. Every kind has two axes that move in
// simulated time; each command first brings them up to the command's time.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "simulated_axis.h"

namespace celvaro::mountsim {

// How a kind's replies are framed: what opens and what closes a reply, and
// the code its error reply carries ('!' code closer).
struct ReplyForm {
  std::string_view opener;
  char closer;
  std::string_view errorCode;
};

class SimulatedMount {
 public:
  virtual ~SimulatedMount() = default;

  // The complete commands in the bytes received so far; an unfinished one
  // waits for the next bytes.
  virtual std::vector<std::string> takeCommands(std::string_view bytes) = 0;
  // The reply to one command at simulated time `now` (seconds); "" for none.
  std::string reply(const std::string& command, double now);
  virtual ReplyForm replyForm() const = 0;
  // The characters the kind writes its numbers in: hex digits unless told.
  virtual std::string_view digits() const { return "0123456789ABCDEF"; }

 protected:
  virtual std::string answer(const std::string& command) = 0;
  // The simulated time of the command being answered, in seconds.
  double now() const { return clock_; }

  std::array<SimulatedAxis, 2> axes_;

 private:
  double clock_ = 0;
};

}  // namespace celvaro::mountsim
