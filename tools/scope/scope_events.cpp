#include "tools/scope/scope_events.h"

namespace celvaro::scope {

std::optional<ScopeEvent> ScopeEvents::next(std::chrono::steady_clock::time_point deadline) {
  std::unique_lock lock(mutex_);
  if (!arrived_.wait_until(lock, deadline, [this] { return !events_.empty(); })) return std::nullopt;
  ScopeEvent event = std::move(events_.front());
  events_.pop_front();
  return event;
}

void ScopeEvents::push(ScopeEvent event) {
  std::lock_guard lock(mutex_);
  events_.push_back(std::move(event));
  arrived_.notify_all();
}

}  // namespace celvaro::scope
