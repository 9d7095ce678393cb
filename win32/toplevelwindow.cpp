#include "toplevelwindow.h"

#include <algorithm>
#include <commctrl.h>
#include <cstring>

namespace tallino::win {

namespace {

bool sameFont(const FontSpec &a, const FontSpec &b)
{
    const bool sameFamily =
        a.family && b.family ? std::strcmp(a.family, b.family) == 0 : a.family == b.family;
    return sameFamily && a.points == b.points && a.bold == b.bold;
}

RECT workAreaOf(HMONITOR monitor)
{
    MONITORINFO info {};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    return info.rcWork;
}

} // namespace

void TopLevelWindow::show()
{
    if (!hwnd_)
        create();
    if (hwnd_) {
        ShowWindow(hwnd_, SW_SHOW);
        SetForegroundWindow(hwnd_);
    }
}

// Created hidden on the primary screen, so that WM_CREATE adds the controls already laid out for
// that screen's dots per inch, before the window is centred there. It takes its caption only
// when it is complete, so that whoever looks for the window by its caption finds it ready.
void TopLevelWindow::create()
{
    const RECT area = workAreaOf(MonitorFromPoint({ 0, 0 }, MONITOR_DEFAULTTOPRIMARY));
    CreateWindowExW(frame_.exStyle, frame_.className, L"", frame_.style, area.left, area.top, 0, 0,
        nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (!hwnd_)
        return;
    windows_.opened(hwnd_);
    laidOut();
    centre();
    focus_ = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
    SetWindowTextW(hwnd_, wide(frame_.caption).c_str());
    onOpening();
}

void TopLevelWindow::addInTabOrder(std::vector<Adding> controls)
{
    std::stable_sort(controls.begin(), controls.end(),
        [](const Adding &a, const Adding &b) { return a.first < b.first; });
    for (const Adding &control : controls)
        control.second();
}

// In its place and with its font at once: each later move or font costs the still hidden window
// a round of messages.
HWND TopLevelWindow::addControl(const ControlSpec &described, std::string_view text)
{
    const RECT box = pixels(described.box, dpi_);
    const HWND control = CreateWindowExW(described.exStyle, described.className, wide(text).c_str(),
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | described.style, box.left, box.top,
        box.right - box.left, box.bottom - box.top, hwnd_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(described.id)), GetModuleHandleW(nullptr),
        nullptr);
    placed_.push_back({ control, described });
    SendMessageW(
        control, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(placed_.size() - 1, fonts_)), FALSE);
    return control;
}

HWND TopLevelWindow::addButton(
    const ControlSpec &described, std::string_view caption, std::function<void()> click)
{
    onClick(described.id, std::move(click));
    return addControl(described, caption);
}

HWND TopLevelWindow::addTextLabel(
    int id, const TwipsRect &box, const FontSpec &font, std::string_view text)
{
    return addControl({ WC_STATICW, SS_OWNERDRAW, id, box, font }, text);
}

void TopLevelWindow::onClick(int id, std::function<void()> click)
{
    clicks_.emplace_back(id, std::move(click));
}

// Again at a new dpi; at creation each control was placed as it was added.
void TopLevelWindow::layOut()
{
    std::vector<Font> fonts;
    for (std::size_t i = 0; i < placed_.size(); ++i) {
        const RECT box = pixels(placed_[i].described.box, dpi_);
        SetWindowPos(placed_[i].control, nullptr, box.left, box.top, box.right - box.left,
            box.bottom - box.top, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(
            placed_[i].control, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(i, fonts)), TRUE);
    }
    fonts_ = std::move(fonts); // the old ones only now, when no control uses them any more
    laidOut();
}

// One font for all the controls that ask for the same; a fitted one for each that needs one.
HFONT TopLevelWindow::fontFor(std::size_t index, std::vector<Font> &made) const
{
    const Placed &placed = placed_[index];
    for (std::size_t i = 0; i < index && !placed.described.fitsOneLine; ++i) {
        if (!placed_[i].described.fitsOneLine
            && sameFont(placed_[i].described.font, placed.described.font))
            return reinterpret_cast<HFONT>(SendMessageW(placed_[i].control, WM_GETFONT, 0, 0));
    }
    if (placed.described.fitsOneLine) {
        RECT room;
        GetClientRect(placed.control, &room);
        made.push_back(fittedFont(placed.described.font, dpi_, textOf(placed.control), room.right));
    } else {
        made.push_back(makeFont(placed.described.font, dpi_));
    }
    return made.back().get();
}

SIZE TopLevelWindow::frameSize() const
{
    RECT frame { 0, 0, px(frame_.client.width, dpi_), px(frame_.client.height, dpi_) };
    AdjustWindowRectExForDpi(&frame, frame_.style, FALSE, frame_.exStyle, dpi_);
    return { frame.right - frame.left, frame.bottom - frame.top };
}

// The frame round the client area as it is drawn now, which need not be the one the system's
// metrics give for the window's dpi: Wine keeps one frame at every dpi.
SIZE TopLevelWindow::drawnFrameSize() const
{
    RECT outer, inner;
    GetWindowRect(hwnd_, &outer);
    GetClientRect(hwnd_, &inner);
    return { px(frame_.client.width, dpi_) + outer.right - outer.left - inner.right,
        px(frame_.client.height, dpi_) + outer.bottom - outer.top - inner.bottom };
}

void TopLevelWindow::fitClientArea()
{
    const SIZE size = drawnFrameSize();
    SetWindowPos(
        hwnd_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Never with the top-left corner off the work area: a window larger than the screen keeps its
// title bar where it can be grabbed.
void TopLevelWindow::centre()
{
    const RECT area = workAreaOf(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY));
    const SIZE size = frameSize();
    const LONG left = std::max(area.left, area.left + (area.right - area.left - size.cx) / 2);
    const LONG top = std::max(area.top, area.top + (area.bottom - area.top - size.cy) / 2);
    SetWindowPos(hwnd_, nullptr, left, top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    fitClientArea();
}

void TopLevelWindow::onDpiChanged(UINT dpi, const RECT &suggested)
{
    dpi_ = dpi;
    layOut();
    const SIZE size = frameSize();
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, size.cx, size.cy,
        SWP_NOZORDER | SWP_NOACTIVATE);
    fitClientArea();
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void TopLevelWindow::drawLabel(const DRAWITEMSTRUCT &item)
{
    const auto background = reinterpret_cast<HBRUSH>(SendMessageW(hwnd_, WM_CTLCOLORSTATIC,
        reinterpret_cast<WPARAM>(item.hDC), reinterpret_cast<LPARAM>(item.hwndItem)));
    FillRect(item.hDC, &item.rcItem, background);
    SetBkMode(item.hDC, TRANSPARENT);
    const Selected font(
        item.hDC, reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
    drawWrapped(item.hDC, item.rcItem, textOf(item.hwndItem));
}

// True when the focus went back to a control, where DefWindowProc would give it to the window.
bool TopLevelWindow::onActivate(bool active)
{
    const HWND focus = GetFocus();
    if (!active && focus && IsChild(hwnd_, focus))
        focus_ = focus;
    if (!active || !focus_ || !IsChild(hwnd_, focus_))
        return false;
    SetFocus(focus_);
    return true;
}

void TopLevelWindow::onDestroyed()
{
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    windows_.closed(hwnd_);
    hwnd_ = nullptr;
    focus_ = nullptr;
    placed_.clear();
    fonts_.clear();
    clicks_.clear();
}

bool TopLevelWindow::onCommand(WPARAM wParam)
{
    if (HIWORD(wParam) != BN_CLICKED)
        return false;
    const auto click = std::find_if(clicks_.begin(), clicks_.end(),
        [id = LOWORD(wParam)](const auto &idAndClick) { return idAndClick.first == id; });
    if (click == clicks_.end())
        return false;
    click->second();
    return true;
}

// The client area keeps its size on a screen smaller than the window, too.
void TopLevelWindow::onGetMinMaxInfo(MINMAXINFO &info) const
{
    const SIZE size = frameSize(), drawn = drawnFrameSize();
    info.ptMaxTrackSize = { std::max({ info.ptMaxTrackSize.x, size.cx, drawn.cx }),
        std::max({ info.ptMaxTrackSize.y, size.cy, drawn.cy }) };
}

bool TopLevelWindow::drawsItself() const
{
    return GetClassLongPtrW(hwnd_, GCLP_HBRBACKGROUND) == 0;
}

LRESULT TopLevelWindow::onCommonMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND hwnd = hwnd_; // WM_NCDESTROY forgets it
    switch (message) {
    case WM_COMMAND:
        if (onCommand(wParam))
            return 0;
        break;
    case WM_ACTIVATE:
        if (onActivate(LOWORD(wParam) != WA_INACTIVE))
            return 0;
        break;
    case WM_SETFOCUS:
        if (onActivate(true))
            return 0;
        break;
    case WM_GETMINMAXINFO:
        onGetMinMaxInfo(*reinterpret_cast<MINMAXINFO *>(lParam));
        return 0;
    case WM_ERASEBKGND:
        if (drawsItself())
            return 1; // the paint covers the whole client area
        break;
    case WM_PAINT:
        if (!drawsItself())
            break;
        paintBuffered(hwnd_, [this](HDC dc) { paint(dc); });
        return 0;
    case WM_PRINTCLIENT: // for the themed buttons' corners, and for PrintWindow
        if (!drawsItself())
            break;
        paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_DRAWITEM:
        drawLabel(*reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
        return TRUE;
    case WM_DPICHANGED:
        onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT *>(lParam));
        return 0;
    case WM_NCDESTROY:
        onDestroyed();
        break;
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace tallino::win
