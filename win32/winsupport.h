#pragma once

#include "layout.h"

#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>
#include <windows.h>

struct IAccPropServices;

// What the Windows edition's windows share: text and unit conversions, owned handles, fonts,
// the list of open windows and the message loop, and what screen readers are told.
namespace tallino::win {

std::wstring wide(std::string_view utf8);
std::string utf8(std::wstring_view text);
std::wstring textOf(HWND window);

// The one conversion from the layout's twips, at the window's own dots per inch.
inline int px(int twips, UINT dpi)
{
    return MulDiv(twips, static_cast<int>(dpi), twipsPerInch);
}
RECT pixels(const TwipsRect &box, UINT dpi);
// Line widths, and the pictures, are given in pixels of a 96 dpi screen.
int scaledPixels(int pixels, UINT dpi);
inline COLORREF colour(const Rgb &rgb)
{
    return RGB(rgb.red, rgb.green, rgb.blue);
}

// GDI handles owned by their holders.
struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct MemoryDcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
template<typename Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;
using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;
using Bitmap = GdiObject<HBITMAP>;
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDcDeleter>;

// A GDI object selected into a device context for one scope.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) { }
    ~Selected() { SelectObject(dc_, previous_); }
    Selected(const Selected &) = delete;
    Selected &operator=(const Selected &) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The screen's device context, for measuring.
class ScreenDc {
public:
    ScreenDc() : dc_(GetDC(nullptr)) { }
    ~ScreenDc() { ReleaseDC(nullptr, dc_); }
    ScreenDc(const ScreenDc &) = delete;
    ScreenDc &operator=(const ScreenDc &) = delete;
    operator HDC() const { return dc_; }

private:
    HDC dc_;
};

// A font of the layout for the given dots per inch; a family that is not installed gives way to
// its first installed substitute. A FontSpec without a family stands for the dialog font.
Font makeFont(const FontSpec &described, UINT dpi);
// For a text that must stay on one line of the given width, centred: a substitute is narrowed
// until the text fits.
Font fittedFont(const FontSpec &described, UINT dpi, std::wstring_view text, int width);

// A label's text wrapped at word boundaries within its width, from the top left. A run of blanks
// hangs at the end of its line whatever its width, as the windows' texts were written for: their
// long runs of blanks push the next item onto a line of its own.
void drawWrapped(HDC dc, const RECT &box, std::wstring_view text);

enum class LineEnds : DWORD { Round = PS_ENDCAP_ROUND, Flat = PS_ENDCAP_FLAT };
void drawLine(HDC dc, const TwipsLine &line, COLORREF colour, UINT dpi, LineEnds ends);
// Paints through a bitmap of the client area, so that nothing flickers.
template<typename Paint> void paintBuffered(HWND window, Paint paint)
{
    PAINTSTRUCT ps;
    const HDC screen = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    const MemoryDc buffer(CreateCompatibleDC(screen));
    const Bitmap picture(CreateCompatibleBitmap(screen, client.right, client.bottom));
    {
        const Selected selected(buffer.get(), picture.get());
        paint(buffer.get());
        BitBlt(screen, 0, 0, client.right, client.bottom, buffer.get(), 0, 0, SRCCOPY);
    }
    EndPaint(window, &ps);
}

// The program's open top-level windows and its message loop: the program ends when the last
// window closes, or at once on a quit message.
class TopLevelWindows {
public:
    void opened(HWND window);
    void closed(HWND window);
    // Until the quit message, with the dialog keys (Tab, Enter, Escape...) for whichever of the
    // windows a message is for. Returns the exit code.
    int runMessageLoop();

private:
    // The program's window that the given window belongs to, if any.
    HWND holding(HWND window) const;

    std::vector<HWND> windows_;
};

// Names and descriptions for screen readers, through Dynamic Annotation. Without the service,
// nothing is said and nothing fails.
class Speech {
public:
    Speech();
    ~Speech();
    Speech(const Speech &) = delete;
    Speech &operator=(const Speech &) = delete;

    void annotate(HWND control, std::string_view name, std::string_view description = {}) const;
    // A new name, announced to screen readers that are listening.
    void rename(HWND control, std::string_view name) const;

private:
    IAccPropServices *services_ = nullptr;
};

} // namespace tallino::win
