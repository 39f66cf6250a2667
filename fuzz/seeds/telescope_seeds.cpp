// Seeds of the serial receive paths: mount scripts recorded from sessions
// with the simulated mounts (written by hand for the types no simulated
// mount speaks), the guide commands an autoguider sends, and the frames of
// the command pipe as the controller writes them.
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>

#include "lx200_mount.h"
#include "motor_controller_mount.h"
#include "mount_script.h"
#include "nexstar_mount.h"
#include "seed_sink.h"
#include "telescope/mount_types.h"
#include "telescope/pipe_frame.h"
#include "telescope/telescope_command_codes.h"

namespace celvaro::fuzz {
namespace {

using namespace std::string_literals;
using Payload = std::initializer_list<uint8_t>;

std::string bytesOf(Payload payload) { return {payload.begin(), payload.end()}; }

// A session of a protocol with a simulated mount, kept as a mount script:
// the connect, every step the session takes and every reply of the mount to
// what the protocol sent, in the order they happened.
class RecordedSession {
 public:
  RecordedSession(int mountType, mountsim::SimulatedMount& mount) : protocol_(mountType), mount_(mount) {
    run(kStepConnect);
  }
  void command(Payload payload) { run(kStepCommand, bytesOf(payload)); }
  // Heartbeats `seconds` of simulated time apart.
  void ticks(int count, double seconds) {
    for (int i = 0; i < count; ++i) {
      now_ += seconds;
      run(kStepTick);
    }
  }
  // A guide move (direction) or stop (axis).
  void guide(MountStep step, int argument) { run(step, std::string(1, static_cast<char>(argument))); }
  const std::string& script() const { return script_; }

 private:
  void run(MountStep step, std::string_view operand = {}) {
    record(step, operand);
    answer();
  }
  void record(MountStep step, std::string_view operand) {
    appendStep(script_, step, operand);
    protocol_.step(step, operand);
  }
  // The mount answers what was sent until the protocol waits for a step.
  void answer() {
    for (std::string sent = protocol_.takeSent(); !sent.empty(); sent = protocol_.takeSent()) {
      for (const std::string& command : mount_.takeCommands(sent)) {
        const std::string reply = mount_.reply(command, now_);
        if (!reply.empty()) record(kStepReceive, reply);
      }
    }
  }

  MountUnderTest protocol_;
  mountsim::SimulatedMount& mount_;
  double now_ = 0;
  std::string script_;
};

using Session = std::function<void(RecordedSession&)>;

// Each session with a fresh copy of the mount as it starts.
template <class Mount>
void recordSessions(SeedSink& sink, std::string_view target, int mountType, const Mount& start,
                    std::initializer_list<Session> sessions) {
  for (const Session& drive : sessions) {
    Mount mount = start;
    RecordedSession session(mountType, mount);
    drive(session);
    sink.add(target, session.script());
  }
}

constexpr uint32_t kAltAzCounts = 0x1AF100;
constexpr uint32_t kEquatorialCounts = 9024000;
constexpr uint32_t kHome = 0x800000;
constexpr uint8_t kAllDirections = 4;
constexpr uint8_t kAllReferencePoints = 255;

void writeAltAzSeeds(SeedSink& sink) {
  const mountsim::MotorControllerMount mount(false, {kAltAzCounts, kAltAzCounts}, {kHome, kHome});
  recordSessions(sink, "mount_motor_altaz", kMountMotorAltAz, mount,
                 {[](RecordedSession&) {},
                  [](RecordedSession& s) {
                    s.command({kCmdReadPosition});
                    s.command({kCmdSetReference});
                    s.command({kCmdReadPosition});
                    s.command({kCmdGoto});
                    s.ticks(4, 10);
                  },
                  [](RecordedSession& s) {
                    s.command({kCmdMoveFast, 2, 3});
                    s.command({kCmdStop, 2});
                    s.command({kCmdMoveSlow, 0, 1});
                    s.command({kCmdMoveAtRate, 3, 0xE8, 0x03});
                    s.command({kCmdStop, kAllDirections});
                  },
                  [](RecordedSession& s) {
                    s.command({kCmdSetReference});
                    s.command({kCmdTracking, 1});
                    s.ticks(5, 1);
                    s.command({kCmdTracking, 0});
                    s.command({kCmdDeleteReference, kAllReferencePoints});
                  },
                  [](RecordedSession& s) {
                    s.command({kCmdSpiralSearch, 10, 1, 5});
                    s.ticks(4, 1);
                  }});
}

void writeEquatorialSeeds(SeedSink& sink) {
  const mountsim::MotorControllerMount mount(true, {kEquatorialCounts, kEquatorialCounts}, {kHome, kHome});
  recordSessions(sink, "mount_motor_equatorial", kMountMotorEquatorial, mount,
                 {[](RecordedSession&) {},
                  [](RecordedSession& s) {
                    s.command({kCmdReadPosition});
                    s.command({kCmdSetReference});
                    s.command({kCmdGoto});
                    s.ticks(6, 10);
                  },
                  [](RecordedSession& s) {
                    s.command({kCmdGotoPark});
                    s.ticks(4, 10);
                    s.command({kCmdSetPark});
                    s.command({kCmdEastWestSwap, 0xF6});
                  },
                  [](RecordedSession& s) {
                    s.command({kCmdTracking, 1});
                    s.command({kCmdMoveSlow, 2, 1});
                    s.command({kCmdStop, 2});
                    s.ticks(2, 1);
                    s.command({kCmdMoveFast, 0, 5});
                    s.command({kCmdStop, kAllDirections});
                    s.command({kCmdTracking, 0});
                  },
                  [](RecordedSession& s) {
                    s.guide(kStepGuideMove, 2);
                    s.guide(kStepGuideMove, 0);
                    s.guide(kStepGuideStop, 4);
                    s.command({kCmdGuideMove, 3});
                    s.guide(kStepGuideStop, 2);
                  },
                  [](RecordedSession& s) {
                    s.command({kCmdSpiralSearch, 5, 1, 5});
                    s.ticks(3, 1);
                    s.command({kCmdReinitialise});
                  }});
}

void writeLx200Seeds(SeedSink& sink) {
  const mountsim::Lx200Mount mount(6.0, 20.0);
  recordSessions(sink, "mount_lx200", kMountLx200, mount,
                 {[](RecordedSession& s) { s.ticks(1, 1); },
                  [](RecordedSession& s) {
                    s.command({kCmdReadPosition});
                    s.command({kCmdGoto});
                    s.ticks(2, 5);
                    s.command({kCmdReadPosition});
                  },
                  [](RecordedSession& s) {
                    s.command({kCmdMoveFast, 0, 3});
                    s.command({kCmdStop, 0});
                    s.command({kCmdMoveSlow, 3, 1});
                    s.command({kCmdStop, kAllDirections});
                  }});
}

void writeNexstarSeeds(SeedSink& sink) {
  const mountsim::NexStarMount mount(6.0, 20.0);
  recordSessions(sink, "mount_nexstar", kMountNexstar, mount,
                 {[](RecordedSession&) {},
                  [](RecordedSession& s) {
                    s.command({kCmdReadPosition});
                    s.command({kCmdGoto});
                    s.ticks(2, 5);
                    s.command({kCmdReadPosition});
                    s.command({kCmdTracking, 1});
                  },
                  [](RecordedSession& s) {
                    s.command({kCmdMoveFast, 2, 9});
                    s.command({kCmdMoveSlow, 1, 2});
                    s.command({kCmdStop, kAllDirections});
                    s.guide(kStepGuideMove, 1);
                    s.guide(kStepGuideStop, 0);
                    s.command({kCmdGuideMove, 3});
                    s.guide(kStepGuideStop, 4);
                  }});
}

// A script from its steps, for the types without a simulated mount.
std::string handScript(std::initializer_list<std::pair<MountStep, std::string>> steps) {
  std::string script;
  for (const auto& [step, operand] : steps) appendStep(script, step, operand);
  return script;
}

// The goto asks with '?', sends the target on '#' and ends on '@'; a record
// of four bytes opened by any other byte carries the position.
void writeOldNexstarSeeds(SeedSink& sink) {
  const std::string gotoCommand = bytesOf({kCmdGoto});
  sink.add("mount_old_nexstar", handScript({{kStepConnect, ""},
                                            {kStepCommand, gotoCommand},
                                            {kStepReceive, "#"},
                                            {kStepTick, ""},
                                            {kStepReceive, "@"}}));
  sink.add("mount_old_nexstar", handScript({{kStepCommand, gotoCommand}, {kStepReceive, "@"}}));
  sink.add("mount_old_nexstar",
           handScript({{kStepReceive, "\x11\x22\x33\x44"}, {kStepTick, ""}, {kStepReceive, "\x40\x00\xC0\x00"s}}));
}

// The handshake opens and runs out after four heartbeats.
void writeOwnControllerSeeds(SeedSink& sink) {
  sink.add("mount_own_controller", handScript({{kStepConnect, ""},
                                               {kStepTick, ""},
                                               {kStepTick, ""},
                                               {kStepTick, ""},
                                               {kStepTick, ""}}));
  sink.add("mount_own_controller", handScript({{kStepConnect, ""},
                                               {kStepReceive, "\xAA\x00\x00"s},
                                               {kStepCommand, bytesOf({kCmdReadPosition})},
                                               {kStepTick, ""}}));
}

// Every command the parser knows, one a seed, and a guiding session.
void writeGuideSeeds(SeedSink& sink) {
  for (const char* command : {":Mw#", ":Me#", ":Mn#", ":Ms#", ":Mx#", ":Qw#", ":Qe#", ":Qn#", ":Qs#", ":Q#", ":GR#",
                              ":GS#", ":GD#", "\x06"}) {
    sink.add("guide_commands", command);
  }
  sink.add("guide_commands", "\x06:GR#:GD#:Mw#:Qw#:mn#:qn#:Me#:Ms#:Q#");
}

// The frames of the controller's requests, heartbeats, mount bytes and
// guide events, as its writers make them.
void writePipeSeeds(SeedSink& sink) {
  sink.add("pipe_frames", commandFrame({kCmdConnect, kMountMotorEquatorial, 1}) + commandFrame({kCmdReadPosition}) +
                              commandFrame({kCmdMoveAtRate, 3, 0xE8, 0x03}) + commandFrame({kCmdStop, 4}) +
                              commandFrame({kCmdSpiralSearch, 30, 2, 5}) +
                              commandFrame({kCmdDslrStart, 10, 0, 30, 0, 5, 0}) + commandFrame({kCmdDisconnect}));
  const std::string reply = "=0123AB\r=800000\r";
  const std::string longReply = "=0123AB\r=800000\r=000000\r=101\r=111\r";
  sink.add("pipe_frames", heartbeatFrame() +
                              serialDataFrames(reinterpret_cast<const uint8_t*>(reply.data()), reply.size()) +
                              heartbeatFrame() +
                              serialDataFrames(reinterpret_cast<const uint8_t*>(longReply.data()), longReply.size()));
  std::string events;
  for (uint8_t event = 1; event <= 7; ++event) events += guiderEventFrame(event);
  sink.add("pipe_frames", events);
  sink.add("pipe_frames", "\x01\x7F" + commandFrame({kCmdOpenGuiderPort, 2}) + "\x00"s + heartbeatFrame() +
                              commandFrame({kCmdCloseGuiderPort}));
}

}  // namespace

void writeTelescopeSeeds(SeedSink& sink) {
  writeAltAzSeeds(sink);
  writeEquatorialSeeds(sink);
  writeLx200Seeds(sink);
  writeNexstarSeeds(sink);
  writeOldNexstarSeeds(sink);
  writeOwnControllerSeeds(sink);
  writeGuideSeeds(sink);
  writePipeSeeds(sink);
}

}  // namespace celvaro::fuzz
