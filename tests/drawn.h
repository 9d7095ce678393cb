#pragma once

// The windows as they were drawn, and what typing and the step buttons do, read from drawn.txt,
// which the build carries into every suite that reads it (drawntext.h).

#include "drawntext.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace drawn {

struct Rgb {
    int red, green, blue;
};
struct Box {
    int left, top, width, height;
};
struct Window {
    std::string name, caption;
    int width, height; // of the client area
};
struct Font {
    std::string family; // none: the window's own font
    double points;
    bool bold;
};
struct Control {
    std::string window, name, kind; // kind: button, box, label or picture
    Box box;
    int tabIndex;
    bool enabled;
    Font font;
    std::string align; // left, centred, or "-": a button's own
    std::optional<Rgb> ground; // where it is not the window's
    bool border; // a single line
    std::string text;
};
using Fields = std::vector<std::string>;

template<class T> std::vector<T> split(const std::string &text)
{
    std::istringstream in(text);
    return { std::istream_iterator<T>(in), {} };
}

// Trimmed; "{9}" nine blanks, "{U+000D}" that character.
inline std::string expanded(std::string text)
{
    text.erase(0, text.find_first_not_of(' '));
    text.erase(text.find_last_not_of(' ') + 1);
    for (std::size_t at; (at = text.find('{')) != std::string::npos;) {
        const std::string inner = text.substr(at + 1, text.find('}', at) - at - 1);
        text.replace(at, inner.size() + 2,
            inner[0] == 'U' ? std::string(1, char(std::stoi(inner.substr(2), nullptr, 16)))
                            : std::string(std::stoul(inner), ' '));
    }
    return text;
}

// Every record of a kind, each as its fields after the first; the lines of "#" are comments.
inline std::vector<Fields> all(const std::string &key)
{
    std::vector<Fields> found;
    std::istringstream text(drawnText);
    for (std::string line; std::getline(text, line);) {
        Fields fields;
        for (std::size_t start = 0, end = 0; end != std::string::npos; start = end + 1)
            fields.push_back(line.substr(start, (end = line.find(';', start)) - start));
        if (line[0] != '#' && expanded(fields[0]) == key)
            std::transform(fields.begin() + 1, fields.end(),
                std::back_inserter(found.emplace_back()), expanded);
    }
    return found;
}
// Every record of a kind as its first N fields after the kind, to be taken apart by name.
template<std::size_t N> std::vector<std::array<std::string, N>> rows(const std::string &key)
{
    std::vector<std::array<std::string, N>> read;
    for (const Fields &fields : all(key))
        std::copy_n(fields.begin(), N, read.emplace_back().begin());
    return read;
}
// The numbers of one of a record's fields.
inline std::vector<double> value(const std::string &key, std::size_t field = 0)
{
    return split<double>(all(key).at(0).at(field));
}
// "r g b", or "r,g,b" as a page's styles give it.
inline Rgb rgb(std::string text)
{
    std::replace(text.begin(), text.end(), ',', ' ');
    const std::vector<int> c = split<int>(text);
    return { c.at(0), c.at(1), c.at(2) };
}

inline const std::vector<Window> windows = [] {
    std::vector<Window> read;
    for (const Fields &f : all("window"))
        read.push_back({ f[0], f[1], split<int>(f[2])[0], split<int>(f[2])[1] });
    return read;
}();
inline const Window &abacus = windows[0], &dialog = windows[1], &about = windows[2];

// Read once: the suites look controls up by name again and again.
inline const std::vector<Control> controls = [] {
    std::vector<Control> read;
    for (const Fields &f : all("control")) {
        // A font as its family, points and weight; "-": the window's own.
        const std::size_t weight = f[6].rfind(' '), points = f[6].rfind(' ', weight - 1);
        const Font font = f[6] == "-"
            ? Font {}
            : Font { f[6].substr(0, points), split<double>(f[6].substr(points))[0],
                  f[6].ends_with(" bold") };
        const std::vector<int> b = split<int>(f[3]);
        read.push_back({ f[0], f[1], f[2], { b[0], b[1], b[2], b[3] }, std::stoi(f[4]),
            f[5] == "yes", font, f[7], f[8] == "-" ? std::nullopt : std::optional(rgb(f[8])),
            f[9] == "yes", f[10] });
    }
    return read;
}();

inline const std::vector<std::string> tabRound = split<std::string>(all("tab round")[0][0]),
                                      boxNames = split<std::string>(all("boxes")[0][0]);

} // namespace drawn
