#pragma once

#include "abacuscore.h"

#include <optional>
#include <string>
#include <vector>

// What a window is made of, free of any toolkit: each edition builds its windows from these
// descriptions and turns them into its own rectangles, colours and fonts. Places and sizes are
// in twips, as the windows were drawn; line widths are in pixels. Texts are UTF-8.
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

// Without a family: the window's own font.
struct FontSpec {
    const char *family;
    double points;
    bool bold;
};

// Free desktops rarely have the families the windows name; these keep every text inside its box
// and the instruction list one item per line. The title's decorative substitute is narrowed
// until its text fits. A web page carries the first one whose licence lets it travel.
struct FontSubstitute {
    const char *family;
    const char *substitutes[2];
};
inline constexpr FontSubstitute fontSubstitutes[] = {
    { "MS Sans Serif", { "DejaVu Sans Condensed", "DejaVu Sans" } },
    { "Arial", { "Liberation Sans", nullptr } },
    { "Curlz MT", { "Z003", "Dancing Script" } },
};

enum class ControlKind {
    Button,
    DigitBox, // a place's digit, typed by the user and written by the program
    RodLetter, // a disabled box with a rod's letter
    Title, // one line, centred, on a ground of its own inside a single-line border
    Label, // word-wrapped from the top left
    Picture, // the About picture, in a sunken box
};

// What pressing a button does.
enum class Command { None, Step, OpenAbout, Quit, CloseWindow };

struct ControlDescription {
    ControlKind kind;
    const char *name;
    TwipsRect box;
    FontSpec font {};
    std::string text {};
    // What a screen reader says where the text says too little on its own ("+", "m").
    std::string spokenName {};
    std::string spokenDescription {};
    Command command = Command::None;
    Place place = Place::Units; // of a step button or a digit box
    int delta = 0; // of a step button: +1 or -1
    std::optional<Rgb> ground {}; // a label's own background
    std::optional<Rgb> ink {}; // where the text is not in the system's colour
    bool isDefault = false; // Enter presses it wherever the focus is in its window
};

// A push button, and what pressing it does.
ControlDescription button(const char *name, TwipsRect box, FontSpec font, std::string text,
    std::string spokenName, std::string spokenDescription, Command command);

// Run each time the window is built, before it is seen: its caption and one control's text set
// afresh.
struct OpeningSteps {
    std::string caption;
    std::size_t control;
    std::string text;
};

// A straight line drawn on the window's ground, with flat ends.
struct DrawnLine {
    TwipsLine line;
    Rgb colour;
};

struct WindowDescription {
    const char *name;
    std::string caption;
    TwipsRect client;
    bool isMain = false; // with an icon and a task-bar button
    std::optional<Rgb> background {}; // without: the system's dialog colour
    bool escapeCloses = false;
    std::optional<OpeningSteps> opening {};
    // In the order they are built, which is the tab order; where two overlap, the earlier lies
    // above the later.
    std::vector<ControlDescription> controls {};
    std::vector<DrawnLine> lines {}; // in the order they are drawn, under the controls
};

struct PixelRect {
    int left;
    int top;
    int width;
    int height;
};

// Where a window's frame goes on the work area: centred, but never with its top-left corner off
// the area, so that a window larger than the screen keeps its title bar where it can be grabbed.
PixelRect placedOn(const PixelRect &workArea, int width, int height);

} // namespace tallino
