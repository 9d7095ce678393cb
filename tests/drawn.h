#pragma once

// The windows as they were drawn, and what typing and the step buttons do, read from drawn.txt,
// which the build carries into every suite that reads it (drawntext.h).

#include "drawntext.h"

#include <algorithm>
#include <cstdlib>
#include <map>
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
enum class Kind { Button, TextBox, Label, Picture };
enum class Align { Natural, Left, Centre }; // Natural: a button's own
struct Font {
    std::string family; // none: the window's own font
    double points;
    bool bold;
};
struct Control {
    const Window *window;
    std::string name;
    Kind kind;
    Box box;
    int tabIndex;
    bool enabled;
    Font font;
    Align align;
    std::optional<Rgb> ground; // where it is not the window's
    bool border; // a single line
    std::string text;
};
struct Typing {
    std::string name, before;
    bool home;
    std::string characters; // UTF-8, a key press each; none: the clipboard pasted
    std::optional<std::string> clipboard;
    std::string after;
};
struct Press {
    std::string before, button, after;
};

using Fields = std::vector<std::string>;

inline std::string utf8(unsigned c)
{
    if (c < 0x80)
        return std::string(1, char(c));
    if (c < 0x800)
        return { char(0xc0 | c >> 6), char(0x80 | (c & 0x3f)) };
    return { char(0xe0 | c >> 12), char(0x80 | (c >> 6 & 0x3f)), char(0x80 | (c & 0x3f)) };
}

// "{9}" nine blanks, "{U+000D}" that character.
inline std::string expanded(const std::string &text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t end = text[i] == '{' ? text.find('}', i) : std::string::npos;
        if (end == std::string::npos)
            out += text[i];
        else if (text[i + 1] == 'U')
            out += utf8(unsigned(std::strtoul(text.c_str() + i + 3, nullptr, 16)));
        else
            out.append(std::size_t(std::atoi(text.c_str() + i + 1)), ' ');
        i = end == std::string::npos ? i : end;
    }
    return out;
}

inline std::string trimmed(const std::string &text)
{
    const std::size_t start = text.find_first_not_of(' ');
    return start == std::string::npos ? ""
                                      : text.substr(start, text.find_last_not_of(' ') + 1 - start);
}

// Every record, by its first field, each as its other fields; "-" is none.
inline const std::multimap<std::string, Fields> &records()
{
    static const std::multimap<std::string, Fields> all = [] {
        std::multimap<std::string, Fields> read;
        std::istringstream text(drawnText);
        for (std::string line; std::getline(text, line);) {
            Fields fields;
            for (std::size_t start = 0, end = 0; end != std::string::npos; start = end + 1) {
                end = line.find(';', start);
                fields.push_back(expanded(trimmed(line.substr(start, end - start))));
            }
            if (fields.size() > 1 && line[0] != '#')
                read.emplace(fields[0], Fields(fields.begin() + 1, fields.end()));
        }
        return read;
    }();
    return all;
}
inline std::vector<Fields> all(const std::string &key)
{
    std::vector<Fields> found;
    for (auto [row, end] = records().equal_range(key); row != end; ++row)
        found.push_back(row->second);
    return found;
}
inline std::vector<double> numbers(const std::string &text)
{
    std::vector<double> found;
    std::istringstream in(text);
    for (double number; in >> number;)
        found.push_back(number);
    return found;
}
// The numbers of one of a record's fields.
inline std::vector<double> value(const std::string &key, std::size_t field = 0)
{
    return numbers(all(key).at(0).at(field));
}
inline Rgb rgb(const std::string &text)
{
    const std::vector<double> c = numbers(text);
    return { int(c.at(0)), int(c.at(1)), int(c.at(2)) };
}
inline std::vector<std::string> words(const std::string &key)
{
    std::istringstream in(all(key).at(0).at(0));
    std::vector<std::string> found;
    for (std::string word; in >> word;)
        found.push_back(word);
    return found;
}

inline const std::vector<Window> windows = [] {
    std::vector<Window> read;
    for (const Fields &f : all("window"))
        read.push_back({ f[0], f[1], int(numbers(f[2])[0]), int(numbers(f[2])[1]) });
    return read;
}();
inline const Window &abacus = windows[0], &dialog = windows[1], &about = windows[2];

inline std::vector<Control> controls()
{
    std::vector<Control> read;
    for (const Fields &f : all("control")) {
        const std::vector<double> box = numbers(f[3]);
        const std::size_t weight = f[6].rfind(' '), points = f[6].rfind(' ', weight - 1);
        const Kind kinds[] = { Kind::Button, Kind::TextBox, Kind::Label, Kind::Picture };
        const std::string kindNames[] = { "button", "box", "label", "picture" };
        int kind = 0;
        while (kindNames[kind] != f[2])
            ++kind;
        read.push_back({ &*std::find_if(windows.begin(), windows.end(),
                             [&](const Window &w) { return w.name == f[0]; }),
            f[1], kinds[kind], { int(box[0]), int(box[1]), int(box[2]), int(box[3]) },
            std::atoi(f[4].c_str()), f[5] == "yes",
            f[6] == "-" ? Font { "", 0, false }
                        : Font { f[6].substr(0, points), std::atof(f[6].c_str() + points),
                            f[6].substr(weight + 1) == "bold" },
            f[7] == "left"          ? Align::Left
                : f[7] == "centred" ? Align::Centre
                                    : Align::Natural,
            f[8] == "-" ? std::nullopt : std::optional(rgb(f[8])), f[9] == "yes", f[10] });
    }
    return read;
}

inline const std::vector<std::string> tabRound = words("tab round"), boxNames = words("boxes");

inline std::vector<Typing> typings()
{
    std::vector<Typing> read;
    for (const Fields &f : all("typing"))
        read.push_back({ f[0], f[1], f[2] == "yes", f[3],
            f[4] == "-" ? std::nullopt : std::optional(f[4]), f[5] });
    return read;
}
inline std::vector<Press> presses()
{
    std::vector<Press> read;
    for (const Fields &f : all("press"))
        read.push_back({ f[0], f[1], f[2] });
    return read;
}
// What a screen reader says of a control, or of the drawing with that number.
inline std::string spoken(const std::string &name)
{
    for (const Fields &f : all("spoken")) {
        if (f[0] == name)
            return f[1];
    }
    return {};
}

} // namespace drawn
