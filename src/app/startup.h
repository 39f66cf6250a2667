// The parts of the program's start-up and shutdown that belong to the
// model: the data load after the configuration is read, and what is written
// and let go at exit.
#pragma once

namespace celvaro {

class AppModel;

// Loads the data files into the model and starts its worker threads.
void runDataLoad(AppModel& model);

// After the event loop ended: writes the configuration file and detaches the
// clock's listeners so no tick reaches a window that is going away. The
// worker threads are not joined.
void runShutdown(AppModel& model);

}  // namespace celvaro
