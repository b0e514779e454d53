// The start-up benchmark's breakdown, from inside kdw3: when the variable
// KDW_STARTUP_STEPS names a file, the end of each start-up step is recorded
// (performance counter ticks and working set) and written there when the
// program ends. Without it nothing is recorded and psapi is never loaded.
#pragma once

namespace kdw::app {

// Installs the recorder when asked to, and records the program's entry as
// the first step.
void StartStartupSteps();
// The last step: the message loop is next. Later marks are not recorded.
void EndStartupSteps();
// Writes what was recorded, if anything.
void WriteStartupSteps();

}  // namespace kdw::app
