#include "window.h"

#include "digitbox.h"
#include "fonts.h"
#include "resourceids.h"
#include "strings.h"
#include "textwrap.h"

#include <commctrl.h>

namespace tallino::win {

namespace {

struct ControlStyle {
    const wchar_t *className;
    DWORD style; // beyond WS_CHILD, WS_VISIBLE and WS_CLIPSIBLINGS
    DWORD exStyle;
};

// Disabled, a rod letter shows its letter greyed and the Tab key passes it over; a label is
// drawn by its window, which wraps it as the texts were written for.
ControlStyle styleOf(const ControlDescription &control)
{
    switch (control.kind) {
    case ControlKind::Button:
        return { WC_BUTTONW,
            static_cast<DWORD>((control.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP),
            0 };
    case ControlKind::DigitBox:
        return { WC_EDITW, ES_CENTER | WS_TABSTOP, WS_EX_CLIENTEDGE };
    case ControlKind::RodLetter:
        return { WC_EDITW, ES_CENTER | WS_DISABLED, WS_EX_CLIENTEDGE };
    case ControlKind::Title:
        return { WC_STATICW, SS_CENTER | SS_NOPREFIX | WS_BORDER, 0 };
    case ControlKind::Label:
        return { WC_STATICW, SS_OWNERDRAW, 0 };
    case ControlKind::Picture:
        return { WC_STATICW, SS_BITMAP | SS_CENTERIMAGE, WS_EX_CLIENTEDGE };
    }
    return {};
}

bool isLabel(const ControlDescription &control)
{
    return control.kind == ControlKind::Title || control.kind == ControlKind::Label;
}

RECT workAreaOf(HMONITOR monitor)
{
    MONITORINFO info {};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    return info.rcWork;
}

// The picture as drawn, 32 pixels wide at 96 dpi, repeated or dropped pixels at other ones.
Bitmap pictureFor(UINT dpi)
{
    const Bitmap drawn(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
        MAKEINTRESOURCEW(TALLINO_ABACUS_PICTURE), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    BITMAP size {};
    GetObjectW(drawn.get(), sizeof size, &size);
    return Bitmap(static_cast<HBITMAP>(CopyImage(drawn.get(), IMAGE_BITMAP,
        scaledPixels(size.bmWidth, dpi), scaledPixels(size.bmHeight, dpi), 0)));
}

} // namespace

Window::Window(const WindowDescription &described, DWORD style, DWORD exStyle, MessageLoop &loop,
    const Speech &speech)
    : described_(described), speech_(speech), style_(style), exStyle_(exStyle), loop_(loop)
{
}

bool Window::show()
{
    if (!hwnd_ && !create())
        return false;
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    return true;
}

// Created hidden on the primary screen, so that the controls are laid out for that screen's dots
// per inch before the window is centred there. It takes its caption only when it is complete, so
// that whoever looks for the window by its caption finds it ready.
bool Window::create()
{
    const RECT area = workAreaOf(MonitorFromPoint({ 0, 0 }, MONITOR_DEFAULTTOPRIMARY));
    if (!CreateWindowExW(exStyle_, wide(described_.name).c_str(), L"", style_, area.left, area.top,
            0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), this))
        return false;
    dpi_ = GetDpiForWindow(hwnd_);
    loop_.opened(hwnd_);
    for (std::size_t i = 0; i < described_.controls.size(); ++i)
        addControl(described_.controls[i], i);
    layOut();
    centre();
    focus_ = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
    const auto &opening = described_.opening;
    SetWindowTextW(hwnd_, wide(opening ? opening->caption : described_.caption).c_str());
    if (opening)
        SetWindowTextW(control(opening->control), wide(opening->text).c_str());
    return true;
}

// In its place at once: each later move costs the still hidden window a round of messages.
void Window::addControl(const ControlDescription &control, std::size_t index)
{
    const ControlStyle style = styleOf(control);
    const RECT box = pixels(control.box, dpi_);
    const HWND created = CreateWindowExW(style.exStyle, style.className, wide(control.text).c_str(),
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style.style, box.left, box.top,
        box.right - box.left, box.bottom - box.top, hwnd_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(firstControlId + index)),
        GetModuleHandleW(nullptr), nullptr);
    grounds_.emplace_back(control.ground ? CreateSolidBrush(colour(*control.ground)) : nullptr);
    speech_.annotate(created, control.spokenName, control.spokenDescription);
    if (control.kind == ControlKind::DigitBox)
        digitbox::install(created);
}

HWND Window::control(std::size_t index) const
{
    return GetDlgItem(hwnd_, firstControlId + static_cast<int>(index));
}

const ControlDescription *Window::describedById(int id) const
{
    const auto index = static_cast<std::size_t>(id - firstControlId);
    return id >= firstControlId && index < described_.controls.size() ? &described_.controls[index]
                                                                      : nullptr;
}

void Window::pressFocusedButton() const
{
    const HWND focus = GetFocus();
    const ControlDescription *described =
        IsChild(hwnd_, focus) ? describedById(GetDlgCtrlID(focus)) : nullptr;
    if (described && described->kind == ControlKind::Button)
        SendMessageW(focus, BM_CLICK, 0, 0);
}

// Each control's font for dpi_, the title's narrowed until it fits; the picture at that size.
void Window::layOut()
{
    std::vector<Font> fonts;
    for (std::size_t i = 0; i < described_.controls.size(); ++i) {
        const ControlDescription &described = described_.controls[i];
        const HWND created = control(i);
        RECT room;
        GetClientRect(created, &room);
        fonts.push_back(described.kind == ControlKind::Title
                ? fittedFont(described.font, dpi_, wide(described.text), room.right)
                : makeFont(described.font, dpi_));
        SendMessageW(created, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.back().get()), TRUE);
        if (described.kind == ControlKind::Picture) {
            Bitmap picture = pictureFor(dpi_);
            SendMessageW(
                created, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture.get()));
            picture_ = std::move(picture); // the old one only now, when the control lets it go
        }
    }
    fonts_ = std::move(fonts); // likewise
}

SIZE Window::frameSize() const
{
    RECT frame { 0, 0, px(described_.client.width, dpi_), px(described_.client.height, dpi_) };
    AdjustWindowRectExForDpi(&frame, style_, FALSE, exStyle_, dpi_);
    return { frame.right - frame.left, frame.bottom - frame.top };
}

// The frame round the client area as it is drawn now, which need not be the one the system's
// metrics give for the window's dpi: Wine keeps one frame at every dpi.
SIZE Window::drawnFrameSize() const
{
    RECT outer, inner;
    GetWindowRect(hwnd_, &outer);
    GetClientRect(hwnd_, &inner);
    return { px(described_.client.width, dpi_) + outer.right - outer.left - inner.right,
        px(described_.client.height, dpi_) + outer.bottom - outer.top - inner.bottom };
}

void Window::fitClientArea()
{
    const SIZE size = drawnFrameSize();
    SetWindowPos(
        hwnd_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::centre()
{
    const RECT area = workAreaOf(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY));
    const SIZE size = frameSize();
    const PixelRect placed = placedOn(
        { area.left, area.top, area.right - area.left, area.bottom - area.top }, size.cx, size.cy);
    SetWindowPos(
        hwnd_, nullptr, placed.left, placed.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    fitClientArea();
}

void Window::onDpiChanged(UINT dpi, const RECT &suggested)
{
    dpi_ = dpi;
    for (std::size_t i = 0; i < described_.controls.size(); ++i) {
        const RECT box = pixels(described_.controls[i].box, dpi_);
        SetWindowPos(control(i), nullptr, box.left, box.top, box.right - box.left,
            box.bottom - box.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    layOut();
    const SIZE size = frameSize();
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, size.cx, size.cy,
        SWP_NOZORDER | SWP_NOACTIVATE);
    fitClientArea();
    InvalidateRect(hwnd_, nullptr, TRUE);
}

// True when the focus went back to a control, where DefWindowProc would give it to the window.
bool Window::onActivate(bool active)
{
    const HWND focus = GetFocus();
    if (!active && focus && IsChild(hwnd_, focus))
        focus_ = focus;
    if (!active || !focus_ || !IsChild(hwnd_, focus_))
        return false;
    SetFocus(focus_);
    return true;
}

HBRUSH Window::onLabelColour(HDC dc, HWND label)
{
    const ControlDescription &described = *describedById(GetDlgCtrlID(label));
    SetTextColor(dc, described.ink ? colour(*described.ink) : GetSysColor(COLOR_WINDOWTEXT));
    SetBkMode(dc, TRANSPARENT);
    const Brush &ground = grounds_[static_cast<std::size_t>(GetDlgCtrlID(label) - firstControlId)];
    return ground ? ground.get() : GetSysColorBrush(COLOR_BTNFACE);
}

void Window::drawLabel(const DRAWITEMSTRUCT &item)
{
    FillRect(item.hDC, &item.rcItem, onLabelColour(item.hDC, item.hwndItem));
    const Selected font(
        item.hDC, reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
    drawWrapped(item.hDC, item.rcItem, textOf(item.hwndItem));
}

void Window::onDestroyed()
{
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    loop_.closed(hwnd_);
    hwnd_ = nullptr;
    focus_ = nullptr;
    fonts_.clear();
    grounds_.clear();
    picture_.reset();
}

bool Window::handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT &result)
{
    result = 0;
    switch (message) {
    case WM_ACTIVATE:
        return onActivate(LOWORD(wParam) != WA_INACTIVE);
    case WM_SETFOCUS:
        return onActivate(true);
    case WM_GETMINMAXINFO: { // the client area keeps its size on a screen smaller than the window
        auto &info = *reinterpret_cast<MINMAXINFO *>(lParam);
        const SIZE size = frameSize(), drawn = drawnFrameSize();
        info.ptMaxTrackSize = { std::max({ info.ptMaxTrackSize.x, size.cx, drawn.cx }),
            std::max({ info.ptMaxTrackSize.y, size.cy, drawn.cy }) };
        return true;
    }
    case WM_CTLCOLORSTATIC: {
        const ControlDescription *described =
            describedById(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)));
        if (!described || !isLabel(*described))
            return false;
        result = reinterpret_cast<LRESULT>(
            onLabelColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
        return true;
    }
    case WM_DRAWITEM:
        drawLabel(*reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
        result = TRUE;
        return true;
    case WM_DPICHANGED:
        onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT *>(lParam));
        return true;
    case WM_NCDESTROY:
        onDestroyed();
        return false;
    default:
        return false;
    }
}

bool registerWindowClass(
    const WindowDescription &described, WNDPROC procedure, HBRUSH background, HICON icon)
{
    const std::wstring name = wide(described.name);
    WNDCLASSEXW windowClass {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = icon;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name.c_str();
    return RegisterClassExW(&windowClass) != 0;
}

} // namespace tallino::win
