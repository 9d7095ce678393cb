#pragma once

// What a user's eye checks on a window that a suite has captured, whatever draws it: the colour
// at points of the drawing, and how each control's text looks. Worked out from the numbers in
// drawn.h alone; each check returns what it missed, nothing when all is as drawn.

#include "drawn.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace drawn {

inline std::string text(const Rgb &c)
{
    return std::to_string(c.red) + "," + std::to_string(c.green) + "," + std::to_string(c.blue);
}
inline bool isNear(const Rgb &seen, const Rgb &wanted, int tolerance = 0)
{
    return std::abs(seen.red - wanted.red) <= tolerance
        && std::abs(seen.green - wanted.green) <= tolerance
        && std::abs(seen.blue - wanted.blue) <= tolerance;
}
// Between a ground and a text colour in every channel, as smoothed text is: no band of a third
// colour.
inline bool isBetween(const Rgb &seen, const Rgb &ground, const Rgb &ink, int tolerance)
{
    const auto within = [tolerance](int channel, int a, int b) {
        return channel >= std::min(a, b) - tolerance && channel <= std::max(a, b) + tolerance;
    };
    return within(seen.red, ground.red, ink.red) && within(seen.green, ground.green, ink.green)
        && within(seen.blue, ground.blue, ink.blue);
}

inline int brightness(const Rgb &c)
{
    return c.red + c.green + c.blue;
}
// A colour of the drawing, by its record and place in it.
inline Rgb colour(const std::string &key, std::size_t field = 0)
{
    return rgb(all(key).at(0).at(field));
}

// A captured client area, pixel by pixel.
using Pixels = std::function<Rgb(int x, int y)>;

struct Probe {
    std::string what;
    double x, y; // twips
    Rgb colour;
    int tolerance; // per channel: an outline is smoothed into what lies around it
};
inline constexpr Rgb ink { 0, 0, 0 }; // the window-text colour of a standard scheme

// With every box showing the digit: the top bead of each rod (the place of rank 1 when none
// shows), inside, outside and on its outline; the empty place above it; the rod over it, its
// round top and its foot in the base bar; the bar's edges and round ends. The line widths scale
// with the screen as the twips do; an edge is probed that many twips inside and outside.
inline std::vector<Probe> drawingProbes(int digit, double edge)
{
    std::vector<Probe> probes;
    const std::vector<double> bead = value("bead box"), top = value("bead top"), rod = value("rod");
    const std::vector<double> bar = value("bar");
    const Rgb background = colour("background");
    const double y = top[0] + top[1] * (9 - std::max(digit, 1)) + bead[1] / 2, radius = bead[1] / 2;
    const double rodHalf = rod[1] * 15 / 2, barHalf = bar[3] * 15 / 2, barY = bar[2];
    for (std::size_t place = 0; place < 4; ++place) {
        const std::string name = boxNames[place];
        const double x = value("bead box lefts", place)[0] + bead[0] / 2;
        const double rodX = value("rod xs", place)[0], rodTop = rod[0];
        const Rgb fill = digit ? colour("bead fills", place) : background;
        const std::vector<Probe> column = {
            { " bead", x + radius * 0.6, y, fill, 0 },
            { " bead, outside", x + radius + 22, y, background, 0 },
            { " bead, top", x + 100, y - radius * 0.7, fill, 0 },
            { " bead's outline", x + radius - 7, y, digit ? ink : background, digit ? 100 : 0 },
            { " place above", x + radius * 0.6, y - 480, background, 0 },
            { " rod, left", rodX - rodHalf + edge, y, ink, 0 },
            { " rod, right", rodX + rodHalf - edge, y, ink, 0 },
            { " bead, left of the rod", rodX - rodHalf - edge, y, fill, 0 },
            { " bead, right of the rod", rodX + rodHalf + edge, y, fill, 0 },
            { " rod's round top", rodX, rodTop - rodHalf + edge, ink, 0 },
            { " above the rod", rodX, rodTop - rodHalf - edge, background, 0 },
            { " rod's foot", rodX, barY - 130, ink, 0 },
        };
        for (const Probe &probe : column)
            probes.push_back(
                { name + probe.what, probe.x, probe.y, probe.colour, probe.tolerance });
    }
    const std::vector<Probe> base = {
        { "bar, top", 300, barY - barHalf + edge, ink, 0 },
        { "above the bar", 300, barY - barHalf - edge, background, 0 },
        { "bar, bottom", 300, barY + barHalf - edge, ink, 0 },
        { "below the bar", 300, barY + barHalf + edge, background, 0 },
        { "bar's round left end", bar[0] - barHalf + edge, barY, ink, 0 },
        { "left of the bar", bar[0] - barHalf - edge, barY, background, 0 },
        { "bar's round right end", bar[1] + barHalf - edge, barY, ink, 0 },
        { "right of the bar", bar[1] + barHalf + edge, barY, background, 0 },
        { "between rod and title", 4400, 5400, background, 0 },
    };
    probes.insert(probes.end(), base.begin(), base.end());
    return probes;
}

// The About window's etched line: white over grey, but for the grey's last stretch.
inline std::vector<Probe> aboutProbes(double edge, const Rgb &ground)
{
    const double half = 15, middle = 2000;
    const std::vector<double> etch = value("etch");
    const double etchLeft = etch[0], etchY = etch[1], whiteEnd = etch[2], greyEnd = etch[3];
    const Rgb white = colour("white"), grey = colour("grey");
    return {
        { "above the line", middle, etchY - half - edge, ground, 0 },
        { "line, top", middle, etchY - half + edge, white, 0 },
        { "line, middle", middle, etchY, white, 0 },
        { "line, bottom", middle, etchY + half - edge, white, 0 },
        { "below the line", middle, etchY + half + edge, ground, 0 },
        { "left of the line", etchLeft - edge, etchY, ground, 0 },
        { "line's left end", etchLeft + edge, etchY, white, 0 },
        { "white's right end", whiteEnd - edge, etchY, white, 0 },
        { "grey past the white", (whiteEnd + greyEnd) / 2.0, etchY, grey, 0 },
        { "right of the line", greyEnd + edge, etchY, ground, 0 },
    };
}

// The probes that show another colour on a screen of so many pixels a twip: "what r,g,b; ".
inline std::string misses(const Pixels &at, const std::vector<Probe> &probes, double scale)
{
    std::string missed;
    for (const Probe &probe : probes) {
        const Rgb seen = at(int(std::floor(probe.x * scale)), int(std::floor(probe.y * scale)));
        if (!isNear(seen, probe.colour, probe.tolerance))
            missed += probe.what + " " + text(seen) + "; ";
    }
    return missed;
}

// Each pixel of a box but its frame's, the 4 outermost each side.
inline void eachInside(const Box &box, const std::function<void(int x, int y)> &visit)
{
    for (int y = box.top + 4; y < box.top + box.height - 4; ++y) {
        for (int x = box.left + 4; x < box.left + box.width - 4; ++x)
            visit(x, y);
    }
}

// The mean width of the strokes of a dark text on a light ground, in pixels: its ink, over the
// strokes met going across or going down, whichever are more.
inline double strokeWidth(const Pixels &at, const Box &box)
{
    int lightest = 0, darkest = 766;
    eachInside(box, [&](int x, int y) {
        lightest = std::max(lightest, brightness(at(x, y)));
        darkest = std::min(darkest, brightness(at(x, y)));
    });
    // A button's shaded face is no ink.
    const auto inked = [&](int x, int y) {
        const double dark =
            double(lightest - brightness(at(x, y))) / std::max(1, lightest - darkest);
        return dark > 0.2 ? dark : 0;
    };
    double ink = 0;
    int across = 0, down = 0;
    eachInside(box, [&](int x, int y) {
        ink += inked(x, y);
        across += inked(x, y) > 0.5 && !(x > box.left + 4 && inked(x - 1, y) > 0.5);
        down += inked(x, y) > 0.5 && !(y > box.top + 4 && inked(x, y - 1) > 0.5);
    });
    return ink / std::max({ 1, across, down });
}

// How a control's text looks inside its box (in pixels), clear of its frame: its darkest pixel
// in the text colour; set centred in a text box, from the left, and from the top in a label; a
// label's on its own ground, with no band of another colour behind it, and its border in the
// line colour.
inline std::string lookMisses(const Pixels &at, const Control &drawn, const Box &box,
    const Rgb &ink, const Rgb &line, double pixelsPerPoint)
{
    const int right = box.left + box.width - 4, bottom = box.top + box.height - 4;
    int foreign = 0;
    Rgb darkest { 255, 255, 255 };
    eachInside(box, [&](int x, int y) {
        darkest = brightness(at(x, y)) < brightness(darkest) ? at(x, y) : darkest;
        foreign += drawn.ground && !isBetween(at(x, y), *drawn.ground, ink, 24);
    });
    int inkLeft = right, inkTop = bottom, inkRight = 0, inkBottom = 0;
    eachInside(box, [&](int x, int y) {
        if (isNear(at(x, y), darkest, 64)) {
            inkLeft = std::min(inkLeft, x), inkRight = std::max(inkRight, x + 1);
            inkTop = std::min(inkTop, y), inkBottom = std::max(inkBottom, y + 1);
        }
    });
    std::string missed;
    const auto expect = [&](bool holds, const std::string &what) {
        if (!holds)
            missed += drawn.name + " " + what + "; ";
    };
    expect(isNear(darkest, ink, 24), "text colour " + text(darkest));
    // Capitals and digits on one line stand about seven tenths of the font's size high, a tail
    // below included.
    const bool capitals = std::all_of(drawn.text.begin(), drawn.text.end(),
        [](char c) { return std::isupper(c) || std::isdigit(c) || c == '\''; });
    const double height = (inkBottom - inkTop) / (drawn.font.points * pixelsPerPoint);
    if (capitals && !drawn.font.family.empty() && drawn.kind != "label")
        expect(
            height > 0.6 && height < 0.92, "text " + std::to_string(height) + " of its size high");
    const int before = inkLeft - box.left, after = box.left + box.width - inkRight;
    if (drawn.align == "centred" && drawn.kind == "box")
        expect(std::abs(before - after) <= 3, "not centred");
    if (drawn.align == "left")
        expect(before <= 6, "not from the left");
    // A left label's text is set from the top, over several lines where it has room for them;
    // the title's decorative face, narrowed to fit, fills its box but stays clear of its sides.
    if (drawn.kind == "label" && drawn.align == "left") {
        expect(inkTop - box.top + 3 <= box.top + box.height - inkBottom, "not from the top");
        const double room = box.height / (drawn.font.points * pixelsPerPoint);
        expect(drawn.font.family.empty() || room < 2.5 || height > 1.5, "not wrapped");
    }
    const int middle = box.top + box.height / 2;
    int touching = 0; // rows where the title's ink meets either side
    for (int y = box.top + 4; drawn.border && y < bottom; ++y)
        touching +=
            std::min(brightness(at(box.left + 1, y)), brightness(at(box.left + box.width - 2, y)))
            < brightness(darkest) + 200;
    expect(touching == 0, "running past its sides");
    if (drawn.border)
        expect(isNear(at(box.left, middle), line)
                && isNear(at(box.left + box.width - 1, middle), line),
            "border " + text(at(box.left, middle)));
    if (drawn.ground) {
        expect(foreign == 0, std::to_string(foreign) + " pixels off ground and text");
        expect(isNear(at(right, bottom), *drawn.ground), "ground " + text(at(right, bottom)));
    }
    return missed;
}

// What a suite sees of a control: its place in pixels, its text, its state, the colour its text
// should have where the system chooses it.
struct Seen {
    Box box;
    std::string text;
    bool enabled;
    Rgb ink;
};

// Each control of a window in its place, with its text, state and look, on a screen of so many
// pixels a twip and a point; a picture sits in a sunken box, shaded at the top left. Where a
// window has both, its bold words are drawn with strokes at least a third wider, for their size,
// than its plain ones; the title's decorative face, narrowed to fit, has no weights to tell apart.
inline std::string windowMisses(const Window &window, const Pixels &at, double scale,
    double pixelsPerPoint, const Rgb &line,
    const std::function<std::optional<Seen>(const Control &)> &see)
{
    std::string missed;
    std::vector<std::pair<double, Control>> weights;
    const auto scaled = [scale](int twips) {
        return int(std::lround(twips * scale));
    };
    for (const Control &drawn : controls()) {
        if (drawn.window != window.name)
            continue;
        const std::optional<Seen> seen = see(drawn);
        const Box &b = seen ? seen->box : drawn.box, &d = drawn.box;
        if (!seen
            || std::tie(b.left, b.top, b.width, b.height)
                != std::tuple(scaled(d.left), scaled(d.top), scaled(d.width), scaled(d.height))) {
            missed += drawn.name + " not in its place; ";
            continue;
        }
        if (drawn.kind != "picture" && seen->text != drawn.text)
            missed += drawn.name + " reads \"" + seen->text + "\"; ";
        const int ground = brightness(at(b.left - 1, b.top - 1));
        if (drawn.kind == "picture"
            && !(brightness(at(b.left, b.top)) < ground
                && brightness(at(b.left + b.width - 1, b.top + b.height - 1)) > ground))
            missed += drawn.name + " not sunken; ";
        if (seen->enabled != drawn.enabled)
            missed += drawn.name + (drawn.enabled ? " disabled; " : " enabled; ");
        if (!drawn.text.empty())
            missed += lookMisses(at, drawn, b, seen->ink, line, pixelsPerPoint);
        if (!drawn.font.family.empty() && drawn.text.size() > 1 && !drawn.border)
            weights.emplace_back(strokeWidth(at, b) / (drawn.font.points * pixelsPerPoint), drawn);
    }
    for (const auto &[bold, heavy] : weights) {
        for (const auto &[plain, light] : weights) {
            if (heavy.font.bold && !light.font.bold && bold < 1.3 * plain)
                missed += heavy.name + " no bolder than " + light.name + "; ";
        }
    }
    return missed;
}

// Centred on the area, give or take a pixel; when larger, with its top-left corner at the area's.
inline bool isCentred(const Box &frame, const Box &area)
{
    const auto placed = [](int start, int size, int roomStart, int room) {
        return size > room ? start == roomStart
                           : std::abs(2 * (start - roomStart) + size - room) <= 2;
    };
    return placed(frame.left, frame.width, area.left, area.width)
        && placed(frame.top, frame.height, area.top, area.height);
}

} // namespace drawn
