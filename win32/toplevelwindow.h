#pragma once

#include "winsupport.h"

#include <functional>
#include <string_view>
#include <utility>
#include <vector>

namespace tallino::win {

// A control as its layout table places it; placed and given its font again at every change of
// the window's dots per inch.
struct ControlSpec {
    const wchar_t *className;
    DWORD style; // beyond WS_CHILD, WS_VISIBLE and WS_CLIPSIBLINGS
    int id;
    TwipsRect box;
    FontSpec font {}; // without a family: the dialog font
    DWORD exStyle = 0;
    bool fitsOneLine = false; // the font is narrowed until the text fits the box
};

// What the abacus window, the error dialog and the About window share: a fixed client area in
// twips, laid out for the window's own dots per inch and again whenever they change, centred on
// the work area of its screen, the focus given back to the control that had it whenever the
// window is active again, and its buttons' clicks. A closed window is destroyed; show() builds
// it anew.
class TopLevelWindow {
public:
    struct Frame {
        const wchar_t *className;
        const char *caption;
        DWORD style;
        DWORD exStyle;
        TwipsRect client;
    };

    TopLevelWindow(const TopLevelWindow &) = delete;
    TopLevelWindow &operator=(const TopLevelWindow &) = delete;

    // Builds the window if it is not open, then brings it to the front; an open window keeps
    // its place.
    void show();

protected:
    TopLevelWindow(TopLevelWindows &windows, const Speech &speech, const Frame &frame)
        : speech_(speech), windows_(windows), frame_(frame)
    {
    }
    virtual ~TopLevelWindow() = default;

    // One window procedure per window class; it hands every message to Window::onMessage.
    template<typename Window>
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    template<typename Window> static void registerClass(HBRUSH background, HICON icon = nullptr);

    // A control's tab index, and what creates it.
    using Adding = std::pair<int, std::function<void()>>;
    // By rising tab index: the dialog manager's Tab follows the order of creation.
    static void addInTabOrder(std::vector<Adding> controls);
    HWND addControl(const ControlSpec &described, std::string_view text);
    HWND addButton(
        const ControlSpec &described, std::string_view caption, std::function<void()> click);
    // Word-wrapped from the top left by drawWrapped(), in the colours the window gives its
    // labels at WM_CTLCOLORSTATIC.
    HWND addTextLabel(int id, const TwipsRect &box, const FontSpec &font, std::string_view text);
    // Also for the IDOK and IDCANCEL that the dialog manager sends for Enter and Escape.
    void onClick(int id, std::function<void()> click);
    void close() { PostMessageW(hwnd_, WM_CLOSE, 0, 0); }
    // After the controls were placed for dpi_: once they are all added, and after each change.
    virtual void laidOut() { }
    // Once the window is complete and has its caption, before it is first seen.
    virtual void onOpening() { }
    // The whole client area, for a window class registered without a background brush.
    virtual void paint(HDC) const { }
    // What every window answers alike; the rest goes to DefWindowProc.
    LRESULT onCommonMessage(UINT message, WPARAM wParam, LPARAM lParam);

    const Speech &speech_;
    HWND hwnd_ = nullptr;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;

private:
    struct Placed {
        HWND control;
        ControlSpec described;
    };

    void create();
    void layOut();
    HFONT fontFor(std::size_t index, std::vector<Font> &made) const;
    SIZE frameSize() const;
    SIZE drawnFrameSize() const;
    void fitClientArea();
    void centre();
    bool onCommand(WPARAM wParam);
    void onGetMinMaxInfo(MINMAXINFO &info) const;
    void onDpiChanged(UINT dpi, const RECT &suggested);
    void drawLabel(const DRAWITEMSTRUCT &item);
    bool onActivate(bool active);
    bool drawsItself() const;
    void onDestroyed();

    TopLevelWindows &windows_;
    Frame frame_;
    std::vector<Placed> placed_;
    std::vector<Font> fonts_;
    std::vector<std::pair<int, std::function<void()>>> clicks_;
    HWND focus_ = nullptr; // the control to give the focus to when the window is active again
};

template<typename Window>
LRESULT CALLBACK TopLevelWindow::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *created = static_cast<TopLevelWindow *>(
            reinterpret_cast<const CREATESTRUCTW *>(lParam)->lpCreateParams);
        created->hwnd_ = hwnd;
        created->dpi_ = GetDpiForWindow(hwnd); // for the controls that WM_CREATE adds
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto *window = reinterpret_cast<TopLevelWindow *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return window ? static_cast<Window *>(window)->onMessage(message, wParam, lParam)
                  : DefWindowProcW(hwnd, message, wParam, lParam);
}

template<typename Window> void TopLevelWindow::registerClass(HBRUSH background, HICON icon)
{
    WNDCLASSEXW windowClass {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure<Window>;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = icon;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = Window::className;
    RegisterClassExW(&windowClass);
}

} // namespace tallino::win
