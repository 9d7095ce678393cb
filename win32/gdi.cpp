#include "gdi.h"

namespace tallino::win {

void drawLine(HDC dc, const TwipsLine &line, COLORREF colour, UINT dpi, LineEnds ends)
{
    const LOGBRUSH brush { BS_SOLID, colour, 0 };
    const Pen pen(ExtCreatePen(PS_GEOMETRIC | PS_SOLID | static_cast<DWORD>(ends),
        static_cast<DWORD>(scaledPixels(line.widthPx, dpi)), &brush, 0, nullptr));
    const Selected selected(dc, pen.get());
    MoveToEx(dc, px(line.x1, dpi), px(line.y1, dpi), nullptr);
    LineTo(dc, px(line.x2, dpi), px(line.y2, dpi));
}

} // namespace tallino::win
