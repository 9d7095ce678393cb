#pragma once

#include "window.h"

namespace tallino::win {

// The error dialog and the About window: each one instance for the whole run, shown modeless and
// without an owner, built anew at every showing after it was closed, closed by its button; Escape
// closes only the one whose description says so. Tool windows: without an owner they still get
// no task-bar button.
class SecondaryWindow : public Window {
public:
    SecondaryWindow(const WindowDescription &described, MessageLoop &loop, const Speech &speech);
    static bool registerClass(const WindowDescription &described);
    // For the procedure's answers.
    void onCommand(int id, int notification);
    void paint(HDC dc) const;

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

} // namespace tallino::win
