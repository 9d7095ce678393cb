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
#include <vector>

namespace drawn {

inline bool operator==(const Rgb &a, const Rgb &b)
{
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}
inline std::string text(const Rgb &c)
{
    return std::to_string(c.red) + "," + std::to_string(c.green) + "," + std::to_string(c.blue);
}
inline bool isNear(const Rgb &seen, const Rgb &wanted, int tolerance)
{
    return std::abs(seen.red - wanted.red) <= tolerance
        && std::abs(seen.green - wanted.green) <= tolerance
        && std::abs(seen.blue - wanted.blue) <= tolerance;
}
// Between a ground and a text colour, as smoothed text is: no band of a third colour.
inline bool isBetween(const Rgb &seen, const Rgb &ground, const Rgb &ink, int tolerance)
{
    const int spread[] = { ink.red - ground.red, ink.green - ground.green, ink.blue - ground.blue };
    const int offset[] = { seen.red - ground.red, seen.green - ground.green,
        seen.blue - ground.blue };
    const int widest = std::max(
        { 0, 1, 2 }, [&](int a, int b) { return std::abs(spread[a]) < std::abs(spread[b]); });
    const double share = spread[widest] ? double(offset[widest]) / spread[widest] : 0;
    for (int i = 0; i < 3; ++i) {
        if (share < -0.05 || share > 1.05 || std::abs(offset[i] - share * spread[i]) > tolerance)
            return false;
    }
    return true;
}

inline int brightness(const Rgb &c)
{
    return c.red + c.green + c.blue;
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
    const Rgb background = rgb(all("background")[0][0]);
    const double y = top[0] + top[1] * (9 - std::max(digit, 1)) + bead[1] / 2, radius = bead[1] / 2;
    const double rodHalf = rod[1] * 15 / 2, barHalf = bar[3] * 15 / 2, barY = bar[2];
    for (std::size_t place = 0; place < 4; ++place) {
        const std::string name = boxNames[place];
        const double x = value("bead box lefts", place)[0] + bead[0] / 2;
        const double rodX = value("rod xs", place)[0], rodTop = rod[0];
        const Rgb fill = digit ? rgb(all("bead fills")[0][place]) : background;
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
    const Rgb white = rgb(all("white")[0][0]), grey = rgb(all("grey")[0][0]);
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

// The mean width of the strokes of a dark text on a light ground, in pixels: its ink, over the
// strokes met going across or going down, whichever are more.
inline double strokeWidth(const Pixels &at, int left, int top, int right, int bottom)
{
    const auto light = [&](int x, int y) {
        const Rgb c = at(x, y);
        return c.red + c.green + c.blue;
    };
    int lightest = 0, darkest = 766;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x)
            lightest = std::max(lightest, light(x, y)), darkest = std::min(darkest, light(x, y));
    }
    // A button's shaded face is no ink.
    const auto share = [&](int x, int y) {
        const double dark = double(lightest - light(x, y)) / std::max(1, lightest - darkest);
        return dark > 0.2 ? dark : 0;
    };
    double ink = 0;
    int across = 0, down = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            ink += share(x, y);
            across += share(x, y) > 0.5 && !(x > left && share(x - 1, y) > 0.5);
            down += share(x, y) > 0.5 && !(y > top && share(x, y - 1) > 0.5);
        }
    }
    return ink / std::max({ 1, across, down });
}

// How a control's text looks inside its box (in pixels), clear of its frame: its darkest pixel
// in the text colour; set centred in a text box, from the left, and from the top in a label; a
// label's on its own ground, with no band of another colour behind it, and its border in the
// line colour.
inline std::string lookMisses(const Pixels &at, const Control &drawn, const Box &box,
    const Rgb &ink, const Rgb &line, double pixelsPerPoint)
{
    const int left = box.left + 4, top = box.top + 4;
    const int right = box.left + box.width - 4, bottom = box.top + box.height - 4;
    int darkest = 766, foreign = 0;
    Rgb darkestColour {};
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const Rgb c = at(x, y);
            if (c.red + c.green + c.blue < darkest)
                darkest = c.red + c.green + c.blue, darkestColour = c;
            foreign += drawn.ground && !isBetween(c, *drawn.ground, ink, 24);
        }
    }
    int inkLeft = right, inkTop = bottom, inkRight = left, inkBottom = top;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (isNear(at(x, y), darkestColour, 64)) {
                inkLeft = std::min(inkLeft, x), inkRight = std::max(inkRight, x + 1);
                inkTop = std::min(inkTop, y), inkBottom = std::max(inkBottom, y + 1);
            }
        }
    }
    std::string missed;
    const auto expect = [&](bool holds, const std::string &what) {
        if (!holds)
            missed += std::string(drawn.name) + " " + what + "; ";
    };
    expect(isNear(darkestColour, ink, 24), "text colour " + text(darkestColour));
    // Capitals and digits on one line stand about seven tenths of the font's size high, a tail
    // below included.
    const bool capitals = std::all_of(drawn.text.begin(), drawn.text.end(),
        [](char c) { return std::isupper(c) || std::isdigit(c) || c == '\''; });
    const double height = (inkBottom - inkTop) / (drawn.font.points * pixelsPerPoint);
    if (capitals && !drawn.font.family.empty() && drawn.kind != Kind::Label)
        expect(
            height > 0.6 && height < 0.92, "text " + std::to_string(height) + " of its size high");
    const int before = inkLeft - box.left, after = box.left + box.width - inkRight;
    if (drawn.align == Align::Centre && drawn.kind == Kind::TextBox)
        expect(std::abs(before - after) <= 3, "not centred");
    if (drawn.align == Align::Left)
        expect(before <= 6, "not from the left");
    // A left label's text is set from the top, over several lines where it has room for them;
    // the title's decorative face, narrowed to fit, fills its box but stays clear of its sides.
    if (drawn.kind == Kind::Label && drawn.align == Align::Left) {
        expect(inkTop - box.top + 3 <= box.top + box.height - inkBottom, "not from the top");
        const double room = box.height / (drawn.font.points * pixelsPerPoint);
        expect(drawn.font.family.empty() || room < 2.5 || height > 1.5, "not wrapped");
    }
    int touching = 0; // rows where the title's ink meets either side
    for (int y = top; drawn.border && y < bottom; ++y)
        touching +=
            std::min(brightness(at(box.left + 1, y)), brightness(at(box.left + box.width - 2, y)))
            < darkest + 200;
    expect(touching == 0, "running past its sides");
    if (drawn.ground) {
        expect(foreign == 0, std::to_string(foreign) + " pixels off ground and text");
        expect(at(right, bottom) == *drawn.ground, "ground " + text(at(right, bottom)));
    }
    const int middle = box.top + box.height / 2;
    if (drawn.border)
        expect(at(box.left, middle) == line && at(box.left + box.width - 1, middle) == line,
            "border " + text(at(box.left, middle)));
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
// pixels a twip and a point; where a window has both, its bold words are drawn with strokes at
// least a third wider, for their size, than its plain ones. The title's decorative face, narrowed
// to fit, has no weights to tell apart.
inline std::string windowMisses(const Window &window, const Pixels &at, double scale,
    double pixelsPerPoint, const Rgb &line,
    const std::function<std::optional<Seen>(const Control &)> &see)
{
    std::string missed;
    std::vector<std::pair<double, const Control *>> weights;
    const auto scaled = [scale](int twips) {
        return int(std::lround(twips * scale));
    };
    const std::vector<Control> all = controls();
    for (const Control &drawn : all) {
        if (drawn.window != &window)
            continue;
        const std::optional<Seen> seen = see(drawn);
        const Box wanted { scaled(drawn.box.left), scaled(drawn.box.top), scaled(drawn.box.width),
            scaled(drawn.box.height) };
        if (!seen || seen->box.left != wanted.left || seen->box.top != wanted.top
            || seen->box.width != wanted.width || seen->box.height != wanted.height) {
            missed += std::string(drawn.name) + " not in its place; ";
            continue;
        }
        if (drawn.kind != Kind::Picture && seen->text != drawn.text)
            missed += std::string(drawn.name) + " reads \"" + seen->text + "\"; ";
        const Box &b = seen->box; // a picture sits in a sunken box, shaded at the top left
        const int ground = brightness(at(b.left - 1, b.top - 1));
        if (drawn.kind == Kind::Picture
            && !(brightness(at(b.left, b.top)) < ground
                && brightness(at(b.left + b.width - 1, b.top + b.height - 1)) > ground))
            missed += std::string(drawn.name) + " not sunken; ";
        if (seen->enabled != drawn.enabled)
            missed += std::string(drawn.name) + (drawn.enabled ? " disabled; " : " enabled; ");
        if (!drawn.text.empty())
            missed += lookMisses(at, drawn, seen->box, seen->ink, line, pixelsPerPoint);
        const bool words = drawn.text.size() > 1 && !drawn.border; // the title is bordered
        if (!drawn.font.family.empty() && words)
            weights.push_back(
                { strokeWidth(at, seen->box.left + 4, seen->box.top + 4,
                      seen->box.left + seen->box.width - 4, seen->box.top + seen->box.height - 4)
                        / (drawn.font.points * pixelsPerPoint),
                    &drawn });
    }
    for (const auto &[bold, heavy] : weights) {
        for (const auto &[plain, light] : weights) {
            if (heavy->font.bold && !light->font.bold && bold < 1.3 * plain)
                missed += std::string(heavy->name) + " no bolder than " + light->name + "; ";
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
