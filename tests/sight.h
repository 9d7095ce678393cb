#pragma once

// What a user's eye checks on a window that a suite has captured, whatever draws it: the colour
// at points of the drawing, and how each control's text looks. Worked out from the numbers in
// drawn.h alone; each check returns what it missed, nothing when all is as drawn.

#include "drawn.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <functional>

namespace drawn {

inline std::string text(const Rgb &c)
{
    return std::to_string(c.red) + "," + std::to_string(c.green) + "," + std::to_string(c.blue);
}
// Between two colours in every channel, give or take a tolerance: smoothed text lies between its
// ground and its ink, with no band of a third colour.
inline bool isBetween(const Rgb &seen, const Rgb &one, const Rgb &other, int tolerance = 0)
{
    const auto within = [tolerance](int channel, int a, int b) {
        return channel >= std::min(a, b) - tolerance && channel <= std::max(a, b) + tolerance;
    };
    return within(seen.red, one.red, other.red) && within(seen.green, one.green, other.green)
        && within(seen.blue, one.blue, other.blue);
}
inline bool isNear(const Rgb &seen, const Rgb &wanted, int tolerance = 0)
{
    return isBetween(seen, wanted, wanted, tolerance);
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
    int tolerance = 0; // per channel: an outline is smoothed into what lies around it
};
inline constexpr Rgb ink { 0, 0, 0 }; // the window-text colour of a standard scheme

// With every box showing the digit: the top bead of each rod (the place of rank 1 when none
// shows), inside, outside and on its outline; the empty place above it; the rod over it, its
// round top and its foot in the base bar; the bar's edges and round ends. The line widths scale
// with the screen as the twips do; an edge is probed that many twips inside and outside.
inline std::vector<Probe> drawingProbes(int digit, double edge)
{
    const std::vector<double> bead = value("bead box"), top = value("bead top"), rod = value("rod"),
                              bar = value("bar");
    const Rgb background = colour("background");
    const double y = top[0] + top[1] * (9 - std::max(digit, 1)) + bead[1] / 2, radius = bead[1] / 2;
    const double rodHalf = rod[1] * 15 / 2, barHalf = bar[3] * 15 / 2, barY = bar[2];
    std::vector<Probe> probes = {
        { "bar, top", 300, barY - barHalf + edge, ink },
        { "above the bar", 300, barY - barHalf - edge, background },
        { "bar, bottom", 300, barY + barHalf - edge, ink },
        { "below the bar", 300, barY + barHalf + edge, background },
        { "bar's round left end", bar[0] - barHalf + edge, barY, ink },
        { "left of the bar", bar[0] - barHalf - edge, barY, background },
        { "bar's round right end", bar[1] + barHalf - edge, barY, ink },
        { "right of the bar", bar[1] + barHalf + edge, barY, background },
        { "between rod and title", 4400, 5400, background },
    };
    for (std::size_t place = 0; place < 4; ++place) {
        const std::string name = boxNames[place];
        const double x = value("bead box lefts", place)[0] + bead[0] / 2;
        const double rodX = value("rod xs", place)[0], rodTop = rod[0] - rodHalf;
        const Rgb fill = digit ? colour("bead fills", place) : background;
        probes.insert(probes.end(),
            {
                { name + " bead", x + radius * 0.6, y, fill },
                { name + " bead, outside", x + radius + 22, y, background },
                { name + " bead, top", x + 100, y - radius * 0.7, fill },
                { name + " bead's outline", x + radius - 7, y, digit ? ink : background,
                    digit ? 100 : 0 },
                { name + " place above", x + radius * 0.6, y - 480, background },
                { name + " rod, left", rodX - rodHalf + edge, y, ink },
                { name + " rod, right", rodX + rodHalf - edge, y, ink },
                { name + " bead, left of the rod", rodX - rodHalf - edge, y, fill },
                { name + " bead, right of the rod", rodX + rodHalf + edge, y, fill },
                { name + " rod's round top", rodX, rodTop + edge, ink },
                { name + " above the rod", rodX, rodTop - edge, background },
                { name + " rod's foot", rodX, barY - 130, ink },
            });
    }
    return probes;
}

// The About window's etched line: white over grey, but for the grey's last stretch.
inline std::vector<Probe> aboutProbes(double edge, const Rgb &ground)
{
    const double half = 15, middle = 2000;
    const std::vector<double> etch = value("etch");
    const double left = etch[0], y = etch[1], whiteEnd = etch[2], greyEnd = etch[3];
    const Rgb white = colour("white"), grey = colour("grey");
    return {
        { "above the line", middle, y - half - edge, ground },
        { "line, top", middle, y - half + edge, white },
        { "line, middle", middle, y, white },
        { "line, bottom", middle, y + half - edge, white },
        { "below the line", middle, y + half + edge, ground },
        { "left of the line", left - edge, y, ground },
        { "line's left end", left + edge, y, white },
        { "white's right end", whiteEnd - edge, y, white },
        { "grey past the white", (whiteEnd + greyEnd) / 2.0, y, grey },
        { "right of the line", greyEnd + edge, y, ground },
    };
}

// The probes that show another colour on a screen of so many pixels a twip: "what r,g,b; ".
inline std::string misses(const Pixels &at, const std::vector<Probe> &probes, double scale)
{
    std::string missed;
    for (const Probe &probe : probes) {
        const Rgb seen = at(int(std::floor(probe.x * scale)), int(std::floor(probe.y * scale)));
        missed +=
            isNear(seen, probe.colour, probe.tolerance) ? "" : probe.what + " " + text(seen) + "; ";
    }
    return missed;
}

// Notes what a check missed, unless it holds.
using Expect = std::function<void(bool holds, const std::string &what)>;

// How a control's text looks inside its box (in pixels), clear of its frame, the 4 outermost
// pixels each side: its darkest pixel in the text colour; set centred in a text box, from the
// left, and from the top in a label; a label's on its own ground, with no band of another colour
// behind it, and its border in the line colour. Returns the mean width of its strokes, for its
// size: its ink over the strokes met going across or going down, whichever are more.
inline double textLook(const Pixels &at, const Control &drawn, const Box &box, const Rgb &ink,
    const Rgb &line, double pixelsPerPoint, const Expect &expect)
{
    const int left = box.left + 4, top = box.top + 4;
    const int right = box.left + box.width - 4, bottom = box.top + box.height - 4;
    int lightest = 0, foreign = 0;
    Rgb darkest { 255, 255, 255 };
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const Rgb seen = at(x, y);
            darkest = brightness(seen) < brightness(darkest) ? seen : darkest;
            lightest = std::max(lightest, brightness(seen));
            foreign += drawn.ground && !isBetween(seen, *drawn.ground, ink, 24);
        }
    }
    // A button's shaded face is no ink.
    const auto inked = [&](int x, int y) {
        const double dark =
            double(lightest - brightness(at(x, y))) / std::max(1, lightest - brightness(darkest));
        return dark > 0.2 ? dark : 0;
    };
    int inkLeft = right, inkTop = bottom, inkRight = 0, inkBottom = 0, across = 0, down = 0;
    int touching = 0; // rows where the title's ink meets either side
    double inkSum = 0;
    for (int y = top; y < bottom; ++y) {
        touching += drawn.border
            && std::min(brightness(at(box.left + 1, y)), brightness(at(right + 2, y)))
                < brightness(darkest) + 200;
        for (int x = left; x < right; ++x) {
            if (isNear(at(x, y), darkest, 64)) {
                inkLeft = std::min(inkLeft, x), inkRight = std::max(inkRight, x + 1);
                inkTop = std::min(inkTop, y), inkBottom = std::max(inkBottom, y + 1);
            }
            inkSum += inked(x, y);
            across += inked(x, y) > 0.5 && !(x > left && inked(x - 1, y) > 0.5);
            down += inked(x, y) > 0.5 && !(y > top && inked(x, y - 1) > 0.5);
        }
    }
    const double size = drawn.font.points * pixelsPerPoint, height = (inkBottom - inkTop) / size;
    expect(isNear(darkest, ink, 24), "text colour " + text(darkest));
    // Capitals and digits on one line stand about seven tenths of the font's size high, a tail
    // below included.
    if (std::all_of(drawn.text.begin(), drawn.text.end(),
            [](char c) { return std::isupper(c) || std::isdigit(c) || c == '\''; })
        && !drawn.font.family.empty() && drawn.kind != "label")
        expect(
            height > 0.6 && height < 0.92, "text " + std::to_string(height) + " of its size high");
    const int before = inkLeft - box.left, after = box.left + box.width - inkRight;
    expect(drawn.align != "centred" || drawn.kind != "box" || std::abs(before - after) <= 3,
        "not centred");
    expect(drawn.align != "left" || before <= 6, "not from the left");
    // A left label's text is set from the top, over several lines where it has room for them;
    // the title's decorative face, narrowed to fit, fills its box but stays clear of its sides.
    if (drawn.kind == "label" && drawn.align == "left") {
        expect(inkTop - box.top + 3 <= box.top + box.height - inkBottom, "not from the top");
        expect(drawn.font.family.empty() || box.height / size < 2.5 || height > 1.5, "not wrapped");
    }
    expect(touching == 0, "running past its sides");
    const int middle = box.top + box.height / 2;
    expect(!drawn.border
            || (isNear(at(box.left, middle), line)
                && isNear(at(box.left + box.width - 1, middle), line)),
        "border " + text(at(box.left, middle)));
    expect(!drawn.ground || foreign == 0, std::to_string(foreign) + " pixels off ground and text");
    expect(!drawn.ground || isNear(at(right, bottom), *drawn.ground),
        "ground " + text(at(right, bottom)));
    return inkSum / std::max({ 1, across, down }) / size;
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
    for (const Control &drawn : controls) {
        if (drawn.window != window.name)
            continue;
        const std::optional<Seen> seen = see(drawn);
        const Expect expect = [&](bool holds, const std::string &what) {
            missed += holds ? "" : drawn.name + " " + what + "; ";
        };
        const Box &b = seen ? seen->box : drawn.box, &d = drawn.box;
        if (!seen || b.left != std::lround(d.left * scale) || b.top != std::lround(d.top * scale)
            || b.width != std::lround(d.width * scale)
            || b.height != std::lround(d.height * scale)) {
            missed += drawn.name + " not in its place; ";
            continue;
        }
        expect(drawn.kind == "picture" || seen->text == drawn.text, "reads \"" + seen->text + "\"");
        const int ground = brightness(at(b.left - 1, b.top - 1));
        expect(drawn.kind != "picture"
                || (brightness(at(b.left, b.top)) < ground
                    && brightness(at(b.left + b.width - 1, b.top + b.height - 1)) > ground),
            "not sunken");
        expect(seen->enabled == drawn.enabled, drawn.enabled ? "disabled" : "enabled");
        const double strokes = drawn.text.empty()
            ? 0
            : textLook(at, drawn, b, seen->ink, line, pixelsPerPoint, expect);
        if (!drawn.font.family.empty() && drawn.text.size() > 1 && !drawn.border)
            weights.emplace_back(strokes, drawn);
    }
    for (const auto &[bold, heavy] : weights)
        for (const auto &[plain, light] : weights)
            if (heavy.font.bold && !light.font.bold && bold < 1.3 * plain)
                missed += heavy.name + " no bolder than " + light.name + "; ";
    return missed;
}

// Centred on the area, give or take a pixel.
inline bool isCentred(const Box &frame, const Box &area)
{
    return std::abs(2 * (frame.left - area.left) + frame.width - area.width) <= 2
        && std::abs(2 * (frame.top - area.top) + frame.height - area.height) <= 2;
}

} // namespace drawn
