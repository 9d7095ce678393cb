// The browser suite's eye, run under node: "judge WINDOW PIXELS WIDTH SCALE SEEN [DIGIT|GROUND]"
// judges a window's captured client area (raw RGB rows, SCALE pixels a twip) and its controls as
// the page shows them with sight.h's checks, and prints what they missed.
#include "sight.h"

#include <cstdio>
#include <fstream>
#include <map>

int main(int argc, char *argv[])
{
    if (argc < 6)
        return 2;
    std::ifstream pixels(argv[2], std::ios::binary), lines(argv[5]);
    const std::vector<unsigned char> raw { std::istreambuf_iterator<char>(pixels), {} };
    const std::size_t width = std::atoi(argv[3]);
    const double scale = std::atof(argv[4]);
    const drawn::Pixels at = [&](int x, int y) {
        const std::size_t i = 3 * (std::size_t(y) * width + x);
        if (x < 0 || x >= int(width) || i + 2 >= raw.size())
            return drawn::Rgb { -1, -1, -1 };
        return drawn::Rgb { raw[i], raw[i + 1], raw[i + 2] };
    };
    // The controls as the page shows them, a line each: name, box in pixels, enabled, text
    // colour ("r,g,b"), text, separated by tabs.
    std::map<std::string, drawn::Seen> seen;
    std::string name, enabled, ink, text;
    drawn::Box b {};
    while (std::getline(lines, name, '\t')
        && lines >> b.left >> b.top >> b.width >> b.height >> enabled >> ink && lines.ignore()
        && std::getline(lines, text))
        seen[name] = { b, text, enabled == "1", drawn::rgb(ink) };
    // An edge is probed a pixel and a bit off it, where the smoothing of a scaled line ends.
    const std::string window = argv[1], argument = argc > 6 ? argv[6] : "";
    const double edge = 1 / scale + 1;
    const std::vector<drawn::Probe> probes = window == drawn::abacus.name
        ? drawn::drawingProbes(std::atoi(argument.c_str()), edge)
        : window == drawn::about.name ? drawn::aboutProbes(edge, drawn::rgb(argument))
                                      : std::vector<drawn::Probe> {};
    const drawn::Window &described = *std::find_if(drawn::windows.begin(), drawn::windows.end(),
        [&](const drawn::Window &w) { return w.name == window; });
    const auto see = [&seen](const drawn::Control &c) {
        return seen.count(c.name) ? std::optional(seen.at(c.name)) : std::nullopt;
    };
    // Without the controls, the drawing alone; a line of its own: the runtime prints only whole
    // lines.
    std::printf("%s%s\n", drawn::misses(at, probes, scale).c_str(),
        seen.empty()
            ? ""
            : drawn::windowMisses(described, at, scale, scale * 20, drawn::ink, see).c_str());
}
