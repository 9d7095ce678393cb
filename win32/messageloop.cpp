#include "messageloop.h"

#include <algorithm>

namespace tallino::win {

void MessageLoop::opened(HWND window)
{
    windows_.push_back(window);
}

void MessageLoop::closed(HWND window)
{
    std::erase(windows_, window);
    if (windows_.empty())
        PostQuitMessage(0);
}

int MessageLoop::run()
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        const HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
        const bool ours = std::find(windows_.begin(), windows_.end(), root) != windows_.end();
        if (ours && IsDialogMessageW(root, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    // The windows still open go with the process, without being hidden one by one; no message
    // reaches their objects any more.
    for (const HWND window : windows_)
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return static_cast<int>(message.wParam);
}

} // namespace tallino::win
