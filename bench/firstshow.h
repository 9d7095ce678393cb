#pragma once

class QWidget;

namespace tallino::bench {

// For the start-up probes: once the window has been painted and flushed for the first time,
// prints the steady-clock time in nanoseconds and the peak resident memory in KiB (-1 where
// the system does not tell), then quits.
void reportFirstShowAndQuit(QWidget *window);

} // namespace tallino::bench
