// The browser suite's eye, run under node: "judge numbers" prints the windows' numbers from
// drawn.h as JSON; "judge drawing|about FILE WIDTH SCALE ..." judges a captured client area
// (raw RGB rows, SCALE pixels a twip) with sight.h's checks and prints what it missed.
#include "../sight.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

std::string quoted(const std::string &text)
{
    return '"' + text + '"';
}

std::string boxJson(const drawn::Box &b)
{
    return "[" + std::to_string(b.left) + "," + std::to_string(b.top) + ","
        + std::to_string(b.width) + "," + std::to_string(b.height) + "]";
}

void printNumbers()
{
    std::string json = "{\"windows\": {";
    for (const drawn::Window *w : { &drawn::abacus, &drawn::dialog, &drawn::about })
        json += quoted(w->name) + ": {\"caption\": " + quoted(w->caption)
            + ", \"size\": " + boxJson({ 0, 0, w->width, w->height }) + "},";
    json.back() = '}';
    json += ", \"controls\": [";
    const char *kinds[] = { "Button", "TextBox", "Label", "Picture" };
    for (const drawn::Control &c : drawn::controls())
        json += "{\"window\": " + quoted(c.window->name) + ", \"name\": " + quoted(c.name)
            + ", \"kind\": " + quoted(kinds[int(c.kind)]) + ", \"box\": " + boxJson(c.box)
            + ", \"text\": " + quoted(c.text) + ", \"enabled\": " + (c.enabled ? "true" : "false")
            + "},";
    json.back() = ']';
    json += ", \"tabRound\": [";
    for (const char *name : drawn::tabRound)
        json += quoted(name) + ",";
    json.back() = ']';
    json += ", \"boxNames\": [";
    for (const char *name : drawn::boxNames)
        json += quoted(name) + ",";
    json.back() = ']';
    json += ", \"typings\": [";
    for (const drawn::Typing &t : drawn::typings) {
        std::string characters;
        for (char32_t c : t.characters)
            characters += (characters.empty() ? "" : ",") + std::to_string(int(c));
        json += "{\"name\": " + quoted(t.name) + ", \"before\": " + quoted(t.before)
            + ", \"home\": " + (t.home ? "true" : "false") + ", \"characters\": [" + characters
            + "], \"clipboard\": " + (t.clipboard ? quoted(t.clipboard) : "null")
            + ", \"after\": " + quoted(t.after) + "},";
    }
    json.back() = ']';
    json += ", \"presses\": [";
    for (const drawn::Press &p : drawn::presses)
        json += "[" + quoted(p.before) + "," + quoted(p.button) + "," + quoted(p.after) + "],";
    json.back() = ']';
    json += ", \"spoken\": {";
    for (const auto &[name, said] : drawn::spokenNames)
        json += quoted(name) + ": " + quoted(said) + ",";
    json.back() = '}';
    std::printf("%s, \"spoken1025\": %s}\n", json.c_str(), quoted(drawn::spoken1025).c_str());
}

drawn::Rgb rgbOf(const char *text)
{
    drawn::Rgb c {};
    std::sscanf(text, "%d,%d,%d", &c.red, &c.green, &c.blue);
    return c;
}

} // namespace

int main(int argc, char *argv[])
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "numbers" || argc < 6) {
        printNumbers();
        return 0;
    }
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
    // An edge is probed a pixel and a bit off it, where the smoothing of a scaled line ends.
    const double edge = pixel + 1;
    if (mode == "drawing")
        std::printf(
            "%s", drawn::misses(at, drawn::drawingProbes(std::atoi(argv[5]), edge), scale).c_str());
    else if (mode == "about")
        std::printf(
            "%s", drawn::misses(at, drawn::aboutProbes(edge, rgbOf(argv[5])), scale).c_str());
    return 0;
}
