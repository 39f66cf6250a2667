// SIGINT (Ctrl-C), SIGTERM and SIGHUP end a script at its next wait rather
// than at once: the session then closes as it does at the end, which tells
// the mount to stop every motion, and the program ends by the signal. A
// second signal ends it at once. One a process.
#pragma once

namespace celvaro::scope {

// Catches the three signals; `atOnce` runs before a second one ends the
// program and may only call async-signal-safe functions.
void catchInterruptions(void (*atOnce)());
// The signal that came, or 0.
int interruption();
// Ends the program by the signal that came, if one did.
void endIfInterrupted();

}  // namespace celvaro::scope
