// What the page reaches of the core: the windows' descriptions, the drawing, the rules and the
// abacus itself, as plain JavaScript values. Nothing is decided here; embind has no wire type for
// std::string_view or std::optional, so texts travel as std::string and a missing value as null.
#include "abacuslayout.h"
#include "dialoglayouts.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>
#include <string>
#include <utility>

namespace {

using emscripten::val;
using tallino::Place;

template<typename T> val objectOf(std::initializer_list<std::pair<const char *, T>> members)
{
    val object = val::object();
    for (const auto &[name, value] : members)
        object.set(name, value);
    return object;
}

val box(const tallino::TwipsRect &box)
{
    return objectOf<int>({ { "left", box.left }, { "top", box.top }, { "width", box.width },
        { "height", box.height } });
}

val line(const tallino::TwipsLine &line)
{
    return objectOf<int>({ { "x1", line.x1 }, { "y1", line.y1 }, { "x2", line.x2 },
        { "y2", line.y2 }, { "widthPx", line.widthPx } });
}

val colour(const std::optional<tallino::Rgb> &rgb)
{
    return rgb
        ? objectOf<int>({ { "red", rgb->red }, { "green", rgb->green }, { "blue", rgb->blue } })
        : val::null();
}

template<typename Item, typename Convert> val arrayOf(const Item &items, Convert convert)
{
    val array = val::array();
    for (const auto &item : items)
        array.call<void>("push", convert(item));
    return array;
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

val font(const tallino::FontSpec &font)
{
    val described = val::object();
    described.set("family", font.family ? val(std::string(font.family)) : val::null());
    described.set("points", font.points);
    described.set("bold", font.bold);
    return described;
}

val control(const tallino::ControlDescription &control)
{
    val described = val::object();
    described.set("kind", std::string(kindName(control.kind)));
    described.set("name", std::string(control.name));
    described.set("box", box(control.box));
    described.set("font", font(control.font));
    described.set("text", control.text);
    described.set("spokenName", control.spokenName);
    described.set("spokenDescription", control.spokenDescription);
    described.set("command", std::string(commandName(control.command)));
    described.set("place", tallino::indexOf(control.place));
    described.set("delta", control.delta);
    described.set("ground", colour(control.ground));
    described.set("ink", colour(control.ink));
    described.set("isDefault", control.isDefault);
    return described;
}

val window(const tallino::WindowDescription &window)
{
    val described = val::object();
    described.set("name", std::string(window.name));
    described.set("caption", window.caption);
    described.set("client", box(window.client));
    described.set("isMain", window.isMain);
    described.set("background", colour(window.background));
    described.set("escapeCloses", window.escapeCloses);
    val opening = val::null();
    if (const auto &steps = window.opening) {
        opening = val::object();
        opening.set("caption", steps->caption);
        opening.set("control", steps->control);
        opening.set("text", steps->text);
    }
    described.set("opening", opening);
    described.set("controls", arrayOf(window.controls, control));
    described.set("lines", arrayOf(window.lines, [](const tallino::DrawnLine &drawn) {
        val described = line(drawn.line);
        described.set("colour", colour(drawn.colour));
        return described;
    }));
    return described;
}

val windows()
{
    val all = val::object();
    all.set("abacus", window(tallino::abacus::window()));
    all.set("errorDialog", window(tallino::errordialog::window()));
    all.set("about", window(tallino::about::window()));
    return all;
}

// The rods left to right, each with its beads' circles in the order they lie on one another.
val drawing()
{
    namespace abacus = tallino::abacus;
    val described = val::object();
    described.set("rods", arrayOf(abacus::rods, [](const abacus::Rod &rod) {
        val described = val::object();
        described.set("place", tallino::indexOf(rod.place));
        described.set("line", line(rod.line));
        described.set("fill", colour(rod.beadFill));
        described.set("beads", arrayOf(rod.drawingOrder, [&rod](int rank) {
            val bead = val::object();
            bead.set("rank", rank);
            bead.set("circle", box(abacus::beadCircle(rod, rank)));
            return bead;
        }));
        return described;
    }));
    described.set("baseBar", line(abacus::baseBar));
    described.set("outlinePx", abacus::beadOutlinePx);
    described.set("description", std::string(abacus::drawingDescription));
    return described;
}

val placedOn(val area, int width, int height)
{
    const tallino::PixelRect placed =
        tallino::placedOn({ area["left"].as<int>(), area["top"].as<int>(), area["width"].as<int>(),
                              area["height"].as<int>() },
            width, height);
    return objectOf<int>({ { "left", placed.left }, { "top", placed.top } });
}

// What stays of the page after FINE where the browser lets no script close its window.
val closedNotice()
{
    val notice = val::object();
    notice.set("text", std::string("Tallino è chiuso."));
    notice.set("button", std::string("Ricomincia"));
    return notice;
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
