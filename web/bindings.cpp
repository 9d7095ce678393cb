// What the page reaches of the core: the windows' descriptions, the drawing, the rules and the
// abacus itself. Nothing is decided here; embind has no wire type for std::string_view or
// std::optional, so texts travel as std::string, and a missing value as null.
#include "abacuslayout.h"
#include "dialoglayouts.h"
#include "json.h"
#include "pageplatform.h"

#include <cmath>
#include <emscripten/bind.h>
#include <emscripten/val.h>
#include <string>
#include <utility>

namespace {

using emscripten::val;
using tallino::Place;
using tallino::web::quoted;

// The descriptions travel as JSON text, which the page parses in one go: far quicker at start-up
// than building the objects member by member through embind.
std::string number(int value)
{
    return std::to_string(value);
}

// A font's points, in halves and quarters, to two decimals: without the formatting of floating
// numbers, which would double the module's size.
std::string points(double value)
{
    const long hundredths = std::lround(value * 100);
    std::string text = std::to_string(hundredths / 100);
    if (hundredths % 100 == 0)
        return text;
    text += '.' + std::to_string(100 + hundredths % 100).substr(1);
    if (text.back() == '0')
        text.pop_back();
    return text;
}

std::string truth(bool value)
{
    return value ? "true" : "false";
}

std::string object(std::initializer_list<std::pair<const char *, std::string>> members)
{
    std::string json;
    for (const auto &[name, value] : members)
        json += (json.empty() ? "{" : ",") + quoted(name) + ":" + value;
    return json + "}";
}

template<typename Items, typename Convert> std::string array(const Items &items, Convert convert)
{
    std::string json;
    for (const auto &item : items)
        json += (json.empty() ? "[" : ",") + convert(item);
    return json.empty() ? "[]" : json + "]";
}

std::string box(const tallino::TwipsRect &box)
{
    return object({ { "left", number(box.left) }, { "top", number(box.top) },
        { "width", number(box.width) }, { "height", number(box.height) } });
}

std::string line(const tallino::TwipsLine &line)
{
    return object({ { "x1", number(line.x1) }, { "y1", number(line.y1) }, { "x2", number(line.x2) },
        { "y2", number(line.y2) }, { "widthPx", number(line.widthPx) } });
}

std::string colour(const std::optional<tallino::Rgb> &rgb)
{
    return rgb ? object({ { "red", number(rgb->red) }, { "green", number(rgb->green) },
               { "blue", number(rgb->blue) } })
               : "null";
}

const char *kindName(tallino::ControlKind kind)
{
    using tallino::ControlKind;
    switch (kind) {
    case ControlKind::Button:
        return "Button";
    case ControlKind::DigitBox:
        return "DigitBox";
    case ControlKind::RodLetter:
        return "RodLetter";
    case ControlKind::Title:
        return "Title";
    case ControlKind::Label:
        return "Label";
    case ControlKind::Picture:
        return "Picture";
    }
    return "";
}

const char *commandName(tallino::Command command)
{
    using tallino::Command;
    switch (command) {
    case Command::Step:
        return "Step";
    case Command::OpenAbout:
        return "OpenAbout";
    case Command::Quit:
        return "Quit";
    case Command::CloseWindow:
        return "CloseWindow";
    case Command::None:
        break;
    }
    return "None";
}

std::string font(const tallino::FontSpec &font)
{
    return object({ { "family", font.family ? quoted(font.family) : "null" },
        { "points", points(font.points) }, { "bold", truth(font.bold) } });
}

std::string control(const tallino::ControlDescription &control)
{
    return object({ { "kind", quoted(kindName(control.kind)) }, { "name", quoted(control.name) },
        { "box", box(control.box) },
        { "font", font(control.font.family ? control.font : tallino::web::ownFont) },
        { "text", quoted(control.text) }, { "spokenName", quoted(control.spokenName) },
        { "spokenDescription", quoted(control.spokenDescription) },
        { "command", quoted(commandName(control.command)) },
        { "place", number(tallino::indexOf(control.place)) }, { "delta", number(control.delta) },
        { "ground", colour(control.ground) }, { "ink", colour(control.ink) },
        { "isDefault", truth(control.isDefault) } });
}

std::string opening(const std::optional<tallino::OpeningSteps> &steps)
{
    return steps ? object({ { "caption", quoted(steps->caption) },
               { "control", number(static_cast<int>(steps->control)) },
               { "text", quoted(steps->text) } })
                 : "null";
}

std::string window(const tallino::WindowDescription &window)
{
    return object({ { "name", quoted(window.name) }, { "caption", quoted(window.caption) },
        { "client", box(window.client) }, { "isMain", truth(window.isMain) },
        { "background", colour(window.background) }, { "escapeCloses", truth(window.escapeCloses) },
        { "opening", opening(window.opening) }, { "controls", array(window.controls, control) },
        { "lines", array(window.lines, [](const tallino::DrawnLine &drawn) {
             return object({ { "line", line(drawn.line) }, { "colour", colour(drawn.colour) } });
         }) } });
}

std::string windows()
{
    return object({ { "ownFont", font(tallino::web::ownFont) },
        { "abacus", window(tallino::abacus::window()) },
        { "errorDialog", window(tallino::errordialog::window()) },
        { "about", window(tallino::about::window()) } });
}

// The rods left to right, each with its beads' circles in the order they lie on one another.
std::string drawing()
{
    namespace abacus = tallino::abacus;
    const auto rod = [](const abacus::Rod &rod) {
        const auto bead = [&rod](int rank) {
            return object(
                { { "rank", number(rank) }, { "circle", box(abacus::beadCircle(rod, rank)) } });
        };
        return object(
            { { "place", number(tallino::indexOf(rod.place)) }, { "line", line(rod.line) },
                { "fill", colour(rod.beadFill) }, { "beads", array(rod.drawingOrder, bead) } });
    };
    return object({ { "rods", array(abacus::rods, rod) }, { "baseBar", line(abacus::baseBar) },
        { "outlinePx", number(abacus::beadOutlinePx) },
        { "description", quoted(abacus::drawingDescription) } });
}

val placedOn(val area, int width, int height)
{
    const tallino::PixelRect placed =
        tallino::placedOn({ area["left"].as<int>(), area["top"].as<int>(), area["width"].as<int>(),
                              area["height"].as<int>() },
            width, height);
    val place = val::object();
    place.set("left", placed.left);
    place.set("top", placed.top);
    return place;
}

std::string closedNotice()
{
    return object({ { "text", quoted(tallino::web::closedText) },
        { "button", quoted(tallino::web::restartText) } });
}

bool isTypedDigit(unsigned codePoint)
{
    return tallino::isTypedDigit(static_cast<char32_t>(codePoint));
}

std::size_t typedLengthLimit(std::size_t length)
{
    return tallino::typedLengthLimit(length);
}

// The page's listener: { textWritten(place, text), beadsSet(place, shown), errorRequested() }.
class PageListener final : public tallino::AbacusListener {
public:
    explicit PageListener(val page) : page_(std::move(page)) { }
    void textWritten(Place place, std::string_view text) override
    {
        page_.call<void>("textWritten", tallino::indexOf(place), std::string(text));
    }
    void beadsSet(Place place, int shown) override
    {
        page_.call<void>("beadsSet", tallino::indexOf(place), shown);
    }
    void errorRequested() override { page_.call<void>("errorRequested"); }

private:
    val page_;
};

Place placeOf(int index)
{
    return tallino::allPlaces.at(static_cast<std::size_t>(index));
}

class Abacus {
public:
    explicit Abacus(val page) : listener_(std::move(page)), core_(listener_) { }
    void edit(int place, const std::string &text) { core_.edit(placeOf(place), text); }
    bool step(int place, int delta) { return core_.step(placeOf(place), delta); }
    bool isBeadVisible(int place, int rank) const
    {
        return core_.isBeadVisible(placeOf(place), rank);
    }
    std::string beadsInWords() const { return tallino::abacus::beadsInWords(core_); }

private:
    PageListener listener_;
    tallino::AbacusCore core_;
};

} // namespace

EMSCRIPTEN_BINDINGS(tallino)
{
    using namespace emscripten;
    constant("twipsPerInch", tallino::twipsPerInch);
    function("windows", &windows);
    function("drawing", &drawing);
    function("placedOn", &placedOn);
    function("closedNotice", &closedNotice);
    function("isTypedDigit", &isTypedDigit);
    function("typedLengthLimit", &typedLengthLimit);
    class_<Abacus>("Abacus")
        .constructor<val>()
        .function("edit", &Abacus::edit)
        .function("step", &Abacus::step)
        .function("isBeadVisible", &Abacus::isBeadVisible)
        .function("beadsInWords", &Abacus::beadsInWords);
}
