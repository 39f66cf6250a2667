#include "tools/scope/interruption.h"

#include <signal.h>

#include <initializer_list>

namespace celvaro::scope {
namespace {

volatile sig_atomic_t gSignal = 0;
void (*gAtOnce)() = nullptr;

void endBy(int signal) {
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

void noteSignal(int signal) {
  if (gSignal == 0) {
    gSignal = signal;
    return;
  }
  if (gAtOnce) gAtOnce();
  endBy(signal);
}

}  // namespace

void catchInterruptions(void (*atOnce)()) {
  gAtOnce = atOnce;
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) ::signal(signal, noteSignal);
}

int interruption() { return gSignal; }

void endIfInterrupted() {
  if (gSignal != 0) endBy(gSignal);
}

}  // namespace celvaro::scope
