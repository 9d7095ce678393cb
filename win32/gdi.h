#pragma once

#include "layout.h"

#include <algorithm>
#include <memory>
#include <type_traits>
#include <windows.h>

// GDI objects owned by small holders, selected into a device context for one scope, and the one
// conversion from the layout's twips at a window's own dots per inch.
namespace tallino::win {

inline int px(int twips, UINT dpi)
{
    return MulDiv(twips, static_cast<int>(dpi), twipsPerInch);
}
inline RECT pixels(const TwipsRect &box, UINT dpi)
{
    const int left = px(box.left, dpi), top = px(box.top, dpi);
    return { left, top, left + px(box.width, dpi), top + px(box.height, dpi) };
}
// Line widths, and the pictures, are given in pixels of a 96 dpi screen.
inline int scaledPixels(int pixels, UINT dpi)
{
    return std::max(1, MulDiv(pixels, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI));
}
inline COLORREF colour(const Rgb &rgb)
{
    return RGB(rgb.red, rgb.green, rgb.blue);
}

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

enum class LineEnds : DWORD { Round = PS_ENDCAP_ROUND, Flat = PS_ENDCAP_FLAT };
void drawLine(HDC dc, const TwipsLine &line, COLORREF colour, UINT dpi, LineEnds ends);

// Paints the whole client area through a bitmap of it, so that nothing flickers.
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

} // namespace tallino::win
