// Carries the one-second clock's ticks from the clock thread to the
// user-interface thread. The clock calls clockTick under its own lock, so
// the tick is only queued there; the target runs later on the
// user-interface thread, and not at all once the relay is gone.
#pragma once

#include <QObject>

#include <functional>
#include <utility>

#include "model/clock_listener.h"

namespace celvaro {

class ClockRelay final : public QObject, public ClockListener {
 public:
  using Target = std::function<void(double localSiderealHours, double julianDate)>;

  explicit ClockRelay(Target target, QObject* parent = nullptr) : QObject(parent), target_(std::move(target)) {}

  void clockTick(double localSiderealHours, double julianDate) override {
    QMetaObject::invokeMethod(
        this, [this, localSiderealHours, julianDate] { target_(localSiderealHours, julianDate); },
        Qt::QueuedConnection);
  }

 private:
  Target target_;
};

}  // namespace celvaro
