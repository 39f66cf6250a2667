// A mount protocol: one object per mount type with a protocol, driven only
// by the controller's command thread through four entry points. Each
// answers what the controller should do with the link.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

#include "astro/observing_place.h"

namespace celvaro {

class TelescopeListener;
class iSiderealTime;
class iTelescopeBasicCommandSender;

enum ProtocolResult : int { kKeepLink = 0, kLinkEstablished = 1, kClosePort = 2 };

// Values the user-interface thread hands over for a command, copied under
// the controller's shared-values lock before the command is handled.
struct SharedTelescopeValues {
  double gotoRaRad = 0, gotoDecRad = 0;
  double latitudeDeg = 0, longitudeDeg = 0;  // the observing place of a reference point
  double referenceRaRad = 0, referenceDecRad = 0;
  int referenceIndex = 0;
  ObservingPlace place;  // where the user observes, for a mount that keeps a site
};

struct ProtocolContext {
  using SteadyTime = std::chrono::steady_clock::time_point;
  iTelescopeBasicCommandSender& sender;
  TelescopeListener& listener;
  const iSiderealTime& clock;
  // The time motions are measured in: the steady clock, or a bench's own.
  std::function<SteadyTime()> now = [] { return std::chrono::steady_clock::now(); };
};

class iMountProtocol {
 public:
  virtual ~iMountProtocol() = default;
  // Runs after the port opened and the controller reported 10.
  virtual int connect() = 0;
  // A command frame's payload: the command code, then its arguments.
  virtual int command(const uint8_t* payload, int length, const SharedTelescopeValues& shared) = 0;
  // Once a second while the port is open.
  virtual int tick() = 0;
  // Bytes received from the mount.
  virtual int receive(const uint8_t* bytes, int count) = 0;
  // Guide commands of an external autoguider: a move in direction 0..3, a
  // stop of axis 0 (second axis), 2 (first axis) or 4 (all). Only the types
  // that guide act on them.
  virtual void guideMove(int /*direction*/) {}
  virtual void guideStop(int /*axis*/) {}
  // A guide move of its own length; a type that cannot time one on the
  // mount moves, and the controller stops it at the end.
  virtual void guidePulse(int direction, int /*milliseconds*/) { guideMove(direction); }
  // A type that hears its mount by other means than the serial port: the
  // reports it gathered, taken on the command thread when it woke it.
  virtual int deliverEvents() { return kKeepLink; }
  // The link ends (the mount fell silent, the port or server was lost, the
  // user disconnected): the stop of every axis that may move, sent at once
  // without awaiting a reply, so a mount that still takes bytes stops.
  virtual void sendStops() {}
  // The link is closed: a type with a connection of its own ends it.
  virtual void hangUp() {}
  // A read the protocol made on its own (the position on a heartbeat, a
  // slew's progress) awaits its reply: the controller holds commands until
  // it has come, since the mount answers in order and would seem to answer
  // them with it.
  virtual bool awaitsPoll() const { return false; }
};

// The protocol object of a serial mount type: 1, 3, 4, 5, 6, 7; none for 0
// and 2, and none for INDI (8), which the controller makes itself.
std::unique_ptr<iMountProtocol> createMountProtocol(int mountType, const ProtocolContext& context,
                                                    int eastWestSwapPosition);

}  // namespace celvaro
