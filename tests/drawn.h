#pragma once

// The windows as they were drawn, and what typing and the step buttons do, read from drawn.txt,
// which the build carries into every suite that reads it (drawntext.h).

#include "drawntext.h"

#include <algorithm>
#include <array>
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
    std::vector<T> found;
    for (T item; in >> item;)
        found.push_back(item);
    return found;
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

// Every record of a kind, each as its fields after the first.
inline std::vector<Fields> all(const std::string &key)
{
    std::vector<Fields> found;
    std::istringstream text(drawnText);
    for (std::string line; std::getline(text, line);) {
        Fields fields;
        if (line.starts_with('#'))
            continue;
        for (std::size_t start = 0, end = 0; end != std::string::npos; start = end + 1) {
            end = line.find(';', start);
            fields.push_back(expanded(line.substr(start, end - start)));
        }
        if (fields[0] == key)
            found.emplace_back(fields.begin() + 1, fields.end());
    }
    return found;
}
// Every record of a kind as its first N fields after the kind, to be taken apart by name.
template<std::size_t N> std::vector<std::array<std::string, N>> rows(const std::string &key)
{
    std::vector<std::array<std::string, N>> read;
    for (const Fields &fields : all(key)) {
        std::array<std::string, N> &row = read.emplace_back();
        std::copy_n(fields.begin(), N, row.begin());
    }
    return read;
}
// The numbers of one of a record's fields.
inline std::vector<double> value(const std::string &key, std::size_t field = 0)
{
    return split<double>(all(key).at(0).at(field));
}
inline Rgb rgb(const std::string &text)
{
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

inline Font font(const std::string &text)
{
    if (text == "-")
        return { "", 0, false };
    const std::size_t weight = text.rfind(' '), points = text.rfind(' ', weight - 1);
    return { text.substr(0, points), split<double>(text.substr(points))[0],
        text.substr(weight + 1) == "bold" };
}
inline std::vector<Control> controls()
{
    std::vector<Control> read;
    for (const Fields &f : all("control")) {
        const std::vector<int> b = split<int>(f[3]);
        read.push_back({ f[0], f[1], f[2], { b[0], b[1], b[2], b[3] }, std::stoi(f[4]),
            f[5] == "yes", font(f[6]), f[7], f[8] == "-" ? std::nullopt : std::optional(rgb(f[8])),
            f[9] == "yes", f[10] });
    }
    return read;
}

inline const std::vector<std::string> tabRound = split<std::string>(all("tab round")[0][0]),
                                      boxNames = split<std::string>(all("boxes")[0][0]);

} // namespace drawn
