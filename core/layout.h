#pragma once

// The pieces a window's layout table is made of, free of any toolkit: each edition turns them
// into its own rectangles, colours and fonts. Places and sizes are in twips, as the windows
// were drawn; line widths are in pixels. Texts are UTF-8.
namespace tallino {

inline constexpr int twipsPerInch = 1440;

struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
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
};

struct FontSpec {
    const char *family;
    double points;
    bool bold;
};

// Free desktops rarely have the families the windows name; these keep every text inside its box
// and the instruction list one item per line. The title's decorative substitute is narrowed
// until its text fits.
struct FontSubstitute {
    const char *family;
    const char *substitutes[2];
};
inline constexpr FontSubstitute fontSubstitutes[] = {
    { "MS Sans Serif", { "DejaVu Sans Condensed", "DejaVu Sans" } },
    { "Arial", { "Liberation Sans", nullptr } },
    { "Curlz MT", { "Z003", nullptr } },
};

// A control that takes part in the tab order; labels have a tab index too, but take no focus.
struct Control {
    const char *name;
    TwipsRect box;
    int tabIndex;
};

// What a screen reader says of a control whose caption says little on its own.
struct Spoken {
    const char *name;
    const char *description;
};

} // namespace tallino
