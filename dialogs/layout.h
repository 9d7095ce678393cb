#pragma once

#include <QColor>
#include <QRect>
#include <QSize>

// The pieces a window's layout table is made of. Places and sizes are in twips, as the windows
// were drawn; line widths are in pixels.
namespace tallino {

inline constexpr double twipsPerPixel = 15.0;

constexpr int twipsToPixels(int twips)
{
    return static_cast<int>(twips / twipsPerPixel + (twips >= 0 ? 0.5 : -0.5));
}

struct TwipsRect {
    int left;
    int top;
    int width;
    int height;

    constexpr QRect pixels() const
    {
        return { twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
            twipsToPixels(height) };
    }
};

struct TwipsLine {
    int x1;
    int y1;
    int x2;
    int y2;
    int widthPx;
};

struct Rgb {
    int red;
    int green;
    int blue;

    QColor colour() const { return { red, green, blue }; }
};

struct FontSpec {
    const char *family;
    double points;
    bool bold;
};

// A control that takes part in the tab order; labels have a tab index too, but take no focus.
struct Control {
    const char *name;
    TwipsRect box;
    int tabIndex;
};

} // namespace tallino
