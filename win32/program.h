#pragma once

namespace tallino::win {

// The whole run of the Windows edition: the abacus window, the two dialogs' instances and the
// message loop, until FINE or the last window's close. Returns the exit code.
int run();

} // namespace tallino::win
