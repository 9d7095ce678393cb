// The browser suite's eye, run under node: "judge WINDOW PIXELS WIDTH SCALE SEEN [DIGIT|GROUND]"
// judges a window's captured client area (raw RGB rows, SCALE pixels a twip) and its controls as
// the page shows them with sight.h's checks, and prints what they missed.
#include "sight.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>

namespace {

// "r,g,b", as the page's styles give a colour.
drawn::Rgb rgbOf(std::string text)
{
    std::replace(text.begin(), text.end(), ',', ' ');
    return drawn::rgb(text);
}

// The controls as the page shows them, a line each: name, box in pixels, enabled, text colour,
// text, separated by tabs.
std::map<std::string, drawn::Seen> seenIn(const char *path)
{
    std::map<std::string, drawn::Seen> seen;
    std::ifstream file(path);
    std::string name, enabled, ink, text;
    drawn::Box b {};
    while (std::getline(file, name, '\t')
        && file >> b.left >> b.top >> b.width >> b.height >> enabled >> ink && file.ignore()
        && std::getline(file, text))
        seen[name] = { b, text, enabled == "1", rgbOf(ink) };
    return seen;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 6)
        return 2;
    std::ifstream file(argv[2], std::ios::binary);
    const std::string raw { std::istreambuf_iterator<char>(file), {} };
    const int width = std::atoi(argv[3]);
    const double scale = std::atof(argv[4]), pixel = 1 / scale;
    const drawn::Pixels at = [&](int x, int y) {
        const auto i = 3 * (std::size_t(y) * std::size_t(width) + std::size_t(x));
        if (x < 0 || x >= width || i + 2 >= raw.size())
            return drawn::Rgb { -1, -1, -1 };
        return drawn::Rgb { (unsigned char)raw[i], (unsigned char)raw[i + 1],
            (unsigned char)raw[i + 2] };
    };
    const std::string window = argv[1], argument = argc > 6 ? argv[6] : "";
    // An edge is probed a pixel and a bit off it, where the smoothing of a scaled line ends.
    const double edge = pixel + 1;
    std::vector<drawn::Probe> probes;
    if (window == drawn::abacus.name)
        probes = drawn::drawingProbes(std::atoi(argument.c_str()), edge);
    else if (window == drawn::about.name)
        probes = drawn::aboutProbes(edge, rgbOf(argument));
    const std::map<std::string, drawn::Seen> seen = seenIn(argv[5]);
    const auto see = [&seen](const drawn::Control &c) -> std::optional<drawn::Seen> {
        return seen.count(c.name) ? std::optional(seen.at(c.name)) : std::nullopt;
    };
    const drawn::Window &described = *std::find_if(drawn::windows.begin(), drawn::windows.end(),
        [&](const drawn::Window &w) { return w.name == window; });
    // A line of its own: the runtime prints only whole lines. Without the controls, the drawing
    // alone.
    std::printf("%s%s\n", drawn::misses(at, probes, scale).c_str(),
        seen.empty()
            ? ""
            : drawn::windowMisses(described, at, scale, scale * 20, drawn::ink, see).c_str());
    return 0;
}
