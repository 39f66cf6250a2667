// A client of an INDI server, watching one telescope device. The server's
// reports arrive on the library's own thread; the client keeps what they
// say as events and wakes the command thread, which takes them. Requests
// are sent as complete property vectors of their own, never through the
// copies the library's thread is changing.
#pragma once

#include <libindi/baseclient.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace celvaro {

// Where the mount's INDI server listens and which of its devices is the mount.
struct IndiServer {
  std::string host = "localhost";
  int port = 7624;
  std::string device;
};

// What the server told about the device. State is the property's state
// (0 idle, 1 ok, 2 busy, 3 alert).
struct IndiEvent {
  enum Kind { kConnection, kPosition, kPark, kServerLost };
  Kind kind = kServerLost;
  int state = 0;
  bool on = false;  // connected, parked
  double raHours = 0, decDeg = 0;
};

// A member of a switch vector: its name and the label shown for it.
struct IndiMember {
  std::string name, label;
};

class IndiClient final : public INDI::BaseClient {
 public:
  // `wake` runs on the library's thread after each new event, and on the
  // client's timer thread when a time set by wakeAt() has come.
  explicit IndiClient(std::function<void()> wake);
  ~IndiClient() override;
  IndiClient(const IndiClient&) = delete;
  IndiClient& operator=(const IndiClient&) = delete;

  // Connects to the server and asks it for `server.device`'s properties;
  // false when no server answered within `timeoutSeconds`.
  bool open(const IndiServer& server, int timeoutSeconds);
  // Leaves the server; no event follows.
  void close();

  std::vector<IndiEvent> takeEvents();
  // Whether the device defined a property, and the names of its members.
  bool has(const std::string& property) const;
  std::vector<IndiMember> members(const std::string& property) const;
  // The site elevation in metres the device last told (0 before it did):
  // a new site keeps it, since the observing place has none.
  double elevation() const;
  // The devices that defined `property`, in order of name.
  std::vector<std::string> devicesWith(const std::string& property) const;
  // The devices whose driver says it drives a telescope, in order of name.
  std::vector<std::string> telescopes() const;

  using Values = std::vector<std::pair<std::string, double>>;
  // A switch vector with the named members on and the rest of `members` off.
  void sendSwitches(const std::string& property, const std::vector<std::string>& on,
                    const std::vector<std::string>& off = {});
  void sendNumbers(const std::string& property, const Values& values);
  using Texts = std::vector<std::pair<std::string, std::string>>;
  void sendTexts(const std::string& property, const Texts& texts);

  // Wakes once more at `when`, as an event would; a later call replaces
  // the time, cancelWake() drops it.
  void wakeAt(std::chrono::steady_clock::time_point when);
  void cancelWake();

 protected:
  void newProperty(INDI::Property property) override;
  void updateProperty(INDI::Property property) override;
  void removeProperty(INDI::Property property) override;
  void removeDevice(INDI::BaseDevice device) override;
  void serverDisconnected(int exitCode) override;

 private:
  void push(const IndiEvent& event);
  void report(const INDI::Property& property);
  void runTimer();

  std::function<void()> wake_;
  std::string device_;
  std::atomic<bool> closing_{false};
  mutable std::mutex mutex_;  // everything below
  std::vector<IndiEvent> events_;
  std::set<std::pair<std::string, std::string>> defined_;  // device, property
  std::vector<std::pair<std::string, std::vector<IndiMember>>> members_;  // the device's switch members
  std::set<std::string> telescopes_;
  double elevation_ = 0;
  std::mutex timerMutex_;  // the two below
  std::optional<std::chrono::steady_clock::time_point> wakeTime_;
  bool timerEnds_ = false;
  std::condition_variable timerChanged_;
  std::thread timer_;
};

// The telescopes an INDI server announces, asked within `waitMilliseconds`;
// none when no server answered. Blocks: not for the user interface's thread.
std::vector<std::string> findIndiTelescopes(const std::string& host, int port, int waitMilliseconds);

}  // namespace celvaro
