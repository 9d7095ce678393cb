#pragma once

#include "gdi.h"
#include "messageloop.h"
#include "speech.h"

#include <string>
#include <vector>

namespace tallino::win {

// A control's ID is this and its place in its window's description.
inline constexpr int firstControlId = 100;

// What the three windows share: built hidden from a description, with its controls laid out for
// its screen's dots per inch and centred there, and again whenever the dpi changes; labels drawn
// and coloured; the focus given back to the control that had it whenever the window is active
// again. A closed window is destroyed; show() builds it anew.
class Window {
public:
    // Of the window class named as the window is.
    Window(const WindowDescription &described, DWORD style, DWORD exStyle, MessageLoop &loop,
        const Speech &speech);
    Window(const Window &) = delete;
    Window &operator=(const Window &) = delete;

    // Builds the window if it is not open, then brings it to the front; an open window keeps its
    // place. False when the system made no window.
    bool show();
    void close() const { PostMessageW(hwnd_, WM_CLOSE, 0, 0); }
    // Called by a window procedure at WM_NCCREATE, before any other message.
    void attach(HWND hwnd) { hwnd_ = hwnd; }

    // Answers what every window answers alike; false for what it leaves to the caller.
    bool handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT &result);

protected:
    ~Window() = default;
    HWND control(std::size_t index) const;
    // The description of a control by its ID; none for the dialog manager's IDOK and IDCANCEL.
    const ControlDescription *describedById(int id) const;
    // Enter, which the dialog manager sends as IDOK unless a default button takes it, presses the
    // button that has the focus.
    void pressFocusedButton() const;

    const WindowDescription &described_;
    const Speech &speech_;
    HWND hwnd_ = nullptr;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;

private:
    bool create();
    void addControl(const ControlDescription &control, std::size_t index);
    void layOut();
    SIZE frameSize() const;
    SIZE drawnFrameSize() const;
    void centre();
    void fitClientArea();
    void onDpiChanged(UINT dpi, const RECT &suggested);
    bool onActivate(bool active);
    HBRUSH onLabelColour(HDC dc, HWND control);
    void drawLabel(const DRAWITEMSTRUCT &item);
    void onDestroyed();

    DWORD style_;
    DWORD exStyle_;
    MessageLoop &loop_;
    std::vector<Font> fonts_;
    std::vector<Brush> grounds_; // one a control, for the labels that have their own
    Bitmap picture_;
    HWND focus_ = nullptr; // the control to give the focus to when the window is active again
};

// The window object a window procedure serves, as show() handed it over at creation.
template<typename Served> Served *served(HWND hwnd, UINT message, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *window =
            static_cast<Window *>(reinterpret_cast<const CREATESTRUCTW *>(lParam)->lpCreateParams);
        window->attach(hwnd);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    return static_cast<Served *>(
        reinterpret_cast<Window *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)));
}

// How a window answers a message: its buttons' and boxes' notifications and the painting of its
// whole client area are its own; the rest is what every window answers alike.
template<typename Served>
LRESULT answer(Served *window, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    switch (message) {
    case WM_COMMAND:
        window->onCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        paintBuffered(hwnd, [window](HDC dc) { window->paint(dc); });
        return 0;
    case WM_PRINTCLIENT: // for the themed buttons' corners, and for PrintWindow
        window->paint(reinterpret_cast<HDC>(wParam));
        return 0;
    default:
        return window->handle(message, wParam, lParam, result)
            ? result
            : DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

// The class of the windows of that description; false when the system refuses it.
bool registerWindowClass(
    const WindowDescription &described, WNDPROC procedure, HBRUSH background, HICON icon);

} // namespace tallino::win
