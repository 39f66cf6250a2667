#include "telescope/indi_client.h"

#include <libindi/basedevice.h>
#include <libindi/indipropertynumber.h>
#include <libindi/indipropertyswitch.h>
#include <libindi/indipropertytext.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace celvaro {
namespace {

bool switchOn(const INDI::Property& property, const char* member) {
  const auto* view = property.getSwitch();
  const auto* widget = view ? view->findWidgetByName(member) : nullptr;
  return widget && widget->getState() == ISS_ON;
}

// A driver's interface bits, in its DRIVER_INFO; bit 0 is a telescope.
constexpr long kTelescopeInterface = 1;

bool drivesTelescope(const INDI::Property& property) {
  const auto* view = property.isNameMatch("DRIVER_INFO") ? property.getText() : nullptr;
  const auto* widget = view ? view->findWidgetByName("DRIVER_INTERFACE") : nullptr;
  return widget && widget->getText() && (std::strtol(widget->getText(), nullptr, 10) & kTelescopeInterface);
}

double numberValue(const INDI::Property& property, const char* member) {
  const auto* view = property.getNumber();
  const auto* widget = view ? view->findWidgetByName(member) : nullptr;
  return widget ? widget->getValue() : 0;
}

}  // namespace

IndiClient::IndiClient(std::function<void()> wake) : wake_(std::move(wake)) {}

IndiClient::~IndiClient() {
  close();
  {
    std::lock_guard lock(timerMutex_);
    timerEnds_ = true;
  }
  timerChanged_.notify_one();
  if (timer_.joinable()) timer_.join();
}

bool IndiClient::open(const IndiServer& server, int timeoutSeconds) {
  close();
  {
    std::lock_guard lock(mutex_);
    events_.clear(), defined_.clear(), members_.clear(), telescopes_.clear();
  }
  device_ = server.device;
  closing_ = false;
  setServer(server.host.c_str(), static_cast<unsigned>(server.port));
  setConnectionTimeout(static_cast<uint32_t>(timeoutSeconds), 0);
  if (!device_.empty()) watchDevice(device_.c_str());
  return connectServer();
}

void IndiClient::close() {
  closing_ = true;
  if (isServerConnected()) disconnectServer();
}

std::vector<IndiEvent> IndiClient::takeEvents() {
  std::lock_guard lock(mutex_);
  return std::exchange(events_, {});
}

bool IndiClient::has(const std::string& property) const {
  std::lock_guard lock(mutex_);
  return defined_.count({device_, property}) > 0;
}

std::vector<IndiMember> IndiClient::members(const std::string& property) const {
  std::lock_guard lock(mutex_);
  for (const auto& [name, list] : members_) {
    if (name == property) return list;
  }
  return {};
}

std::vector<std::string> IndiClient::devicesWith(const std::string& property) const {
  std::lock_guard lock(mutex_);
  std::vector<std::string> devices;
  for (const auto& [device, name] : defined_) {
    if (name == property) devices.push_back(device);
  }
  return devices;
}

std::vector<std::string> IndiClient::telescopes() const {
  std::lock_guard lock(mutex_);
  return {telescopes_.begin(), telescopes_.end()};
}

std::vector<std::string> findIndiTelescopes(const std::string& host, int port, int waitMilliseconds) {
  IndiClient client(nullptr);
  if (!client.open({host, port, ""}, std::max(1, waitMilliseconds / 1000))) return {};
  std::this_thread::sleep_for(std::chrono::milliseconds(waitMilliseconds));
  client.close();
  return client.telescopes();
}

void IndiClient::sendSwitches(const std::string& property, const std::vector<std::string>& on,
                              const std::vector<std::string>& off) {
  INDI::PropertySwitch vector(on.size() + off.size());
  vector.setDeviceName(device_.c_str());
  vector.setName(property);
  size_t i = 0;
  for (const auto* names : {&on, &off}) {
    for (const std::string& name : *names) {
      vector[i].setName(name);
      vector[i++].setState(names == &on ? ISS_ON : ISS_OFF);
    }
  }
  sendNewSwitch(vector);
}

void IndiClient::sendNumbers(const std::string& property, const Values& values) {
  INDI::PropertyNumber vector(values.size());
  vector.setDeviceName(device_.c_str());
  vector.setName(property);
  for (size_t i = 0; i < values.size(); ++i) {
    vector[i].setName(values[i].first);
    vector[i].setValue(values[i].second);
  }
  sendNewNumber(vector);
}

double IndiClient::elevation() const {
  std::lock_guard lock(mutex_);
  return elevation_;
}

void IndiClient::sendTexts(const std::string& property, const Texts& texts) {
  INDI::PropertyText vector(texts.size());
  vector.setDeviceName(device_.c_str());
  vector.setName(property);
  for (size_t i = 0; i < texts.size(); ++i) {
    vector[i].setName(texts[i].first);
    vector[i].setText(texts[i].second);
  }
  sendNewText(vector);
}

void IndiClient::wakeAt(std::chrono::steady_clock::time_point when) {
  {
    std::lock_guard lock(timerMutex_);
    wakeTime_ = when;
    if (!timer_.joinable()) timer_ = std::thread([this] { runTimer(); });
  }
  timerChanged_.notify_one();
}

void IndiClient::cancelWake() {
  std::lock_guard lock(timerMutex_);
  wakeTime_.reset();
}

void IndiClient::runTimer() {
  std::unique_lock lock(timerMutex_);
  while (!timerEnds_) {
    if (!wakeTime_) {
      timerChanged_.wait(lock);
    } else if (std::chrono::steady_clock::now() < *wakeTime_) {
      timerChanged_.wait_until(lock, *wakeTime_);
    } else {
      wakeTime_.reset();
      lock.unlock();
      if (wake_) wake_();
      lock.lock();
    }
  }
}

void IndiClient::newProperty(INDI::Property property) {
  {
    std::lock_guard lock(mutex_);
    defined_.insert({property.getDeviceName(), property.getName()});
    if (drivesTelescope(property)) telescopes_.insert(property.getDeviceName());
    if (const auto* view = property.getSwitch(); view && device_ == property.getDeviceName()) {
      std::vector<IndiMember> switches;
      for (const auto& widget : *view) switches.push_back({widget.getName(), widget.getLabel()});
      members_.emplace_back(property.getName(), std::move(switches));
    }
  }
  report(property);
}

void IndiClient::updateProperty(INDI::Property property) { report(property); }

// A device that removes its connection (its driver ended, or the server
// restarts it) is no longer connected.
void IndiClient::removeProperty(INDI::Property property) {
  {
    std::lock_guard lock(mutex_);
    defined_.erase({property.getDeviceName(), property.getName()});
  }
  if (device_ == property.getDeviceName() && property.isNameMatch("CONNECTION")) {
    push({IndiEvent::kConnection, property.getState(), false});
  }
}

void IndiClient::removeDevice(INDI::BaseDevice device) {
  if (device_ == device.getDeviceName()) push({IndiEvent::kConnection, 0, false});
}

void IndiClient::serverDisconnected(int /*exitCode*/) {
  if (!closing_) push({IndiEvent::kServerLost});
}

// The properties the mount follows, as events.
void IndiClient::report(const INDI::Property& property) {
  if (device_.empty() || device_ != property.getDeviceName()) return;
  const int state = property.getState();
  if (property.isNameMatch("CONNECTION")) {
    push({IndiEvent::kConnection, state, switchOn(property, "CONNECT")});
  } else if (property.isNameMatch("EQUATORIAL_EOD_COORD")) {
    push({IndiEvent::kPosition, state, false, numberValue(property, "RA"), numberValue(property, "DEC")});
  } else if (property.isNameMatch("TELESCOPE_PARK")) {
    push({IndiEvent::kPark, state, switchOn(property, "PARK")});
  } else if (property.isNameMatch("GEOGRAPHIC_COORD")) {
    std::lock_guard lock(mutex_);
    elevation_ = numberValue(property, "ELEV");
  }
}

void IndiClient::push(const IndiEvent& event) {
  {
    std::lock_guard lock(mutex_);
    events_.push_back(event);
  }
  if (wake_) wake_();
}

}  // namespace celvaro
