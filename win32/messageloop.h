#pragma once

#include <vector>
#include <windows.h>

namespace tallino::win {

// The program's open top-level windows and its message loop: the program ends when the last
// window closes, or at once on a quit message.
class MessageLoop {
public:
    void opened(HWND window);
    void closed(HWND window);
    // Until the quit message, with the dialog keys (Tab, Enter, Escape...) for whichever of the
    // windows a message is for. Returns the exit code.
    int run();

private:
    std::vector<HWND> windows_;
};

} // namespace tallino::win
