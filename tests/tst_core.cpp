// The rules, with nothing but the standard library, so that every compiler that builds the core
// runs them too: each table row a case; a failure says what it saw.
#include "abacuscore.h"
#include "layout.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <tuple>

using tallino::AbacusCore;
using tallino::Place;

namespace {

int failures = 0;

void same(const std::string &what, const std::string &seen, const std::string &wanted)
{
    if (seen != wanted && ++failures)
        std::printf(
            "FAIL %s: saw \"%s\", wanted \"%s\"\n", what.c_str(), seen.c_str(), wanted.c_str());
}

// What the window hears: "u10" the program writes "10" into the units box, "u#3" the units
// beads of ranks 1 to 3 are shown and the others hidden, "!" the error dialog is asked for.
struct Log : tallino::AbacusListener {
    std::string entries;
    void add(const std::string &entry) { entries += (entries.empty() ? "" : " ") + entry; }
    void textWritten(Place p, std::string_view text) override
    {
        add(letter(p) + std::string(text));
    }
    void beadsSet(Place p, int shown) override { add(letter(p) + '#' + std::to_string(shown)); }
    void errorRequested() override { add("!"); }
    static std::string letter(Place p) { return std::string(1, "udcm"[int(p)]); }
};

// Thousands first, each box's text; then "=digit" where the text does not spell its digit, and
// "#n" where the beads shown, of ranks 1 to n, differ from the digit.
std::string state(const AbacusCore &core)
{
    std::string columns;
    for (int i = 3; i >= 0; --i) {
        const std::string text = core.text(Place(i)), digit = std::to_string(core.digit(Place(i)));
        int shown = 0;
        while (shown < 9 && core.isBeadVisible(Place(i), shown + 1))
            ++shown;
        columns += (i < 3 ? "|" : "") + text + (text != digit ? '=' + digit : "")
            + (std::to_string(shown) != digit ? '#' + std::to_string(shown) : "");
    }
    return columns;
}

// The user's edits, thousands first.
void edit(AbacusCore &core, const std::string &texts)
{
    for (std::size_t i = 0, start = 0, end; i < 4; ++i, start = end + 1) {
        end = texts.find('|', start);
        core.edit(Place(3 - i), texts.substr(start, end - start));
    }
}

void presses()
{
    // A name, the boxes' texts, "u+", "d-" or "c=text" typed, what the window hears (then "stop"
    // when the press ended at an overflow), the boxes after.
    const std::array<const char *, 5> rows[] = {
        // The worked presses, write for write
        { "units + on 9999", "9|9|9|9", "u+", "u10 u0 u#0 d10 d0 d#0 c10 c0 c#0 m10 m9 m#9",
            "9|0|0|0" },
        { "units - on 1000", "1|0|0|0", "u-", "u-1 u9 u#9 d-1 d9 d#9 c-1 c9 c#9 m0 m#0",
            "0|9|9|9" },
        { "thousands + on 9", "9|1|2|3", "m+", "m10 m9 m#9", "9|1|2|3" },
        { "tens + carries twice", "0|9|9|5", "d+", "d10 d0 d#0 c10 c0 c#0 m1 m#1", "1|0|0|5" },
        { "hundreds - borrows", "1|0|4|0", "c-", "c-1 c9 c#9 m0 m#0", "0|9|4|0" },
        { "thousands - on 0", "0|0|0|1", "m-", "m-1 m0 m#0", "0|0|0|1" },
        // A "10" left in a box
        { "units + carries a tens 10", "0|0|10|3", "u+", "u4 u#4 d0 d#0 c1 c#1", "0|1|0|4" },
        { "+ on a 10 is rejected", "0|0|0|10", "u+", "u11 ! u0 u#0 u#0", "0|0|0|0" },
        { "- on a 10", "0|0|0|10", "u-", "u9 u#9", "0|0|0|9" },
        { "any + sets a thousands 10 to 9", "10|0|0|3", "u+", "u4 u#4 m9 m#9", "9|0|0|4" },
        // Typed values
        { "10 keeps the beads", "0|0|0|1", "u=10", "", "0|0|0|10#1" },
        { "-1 keeps the beads", "0|0|0|4", "u=-1", "", "0|0|0|-1#4" },
        { "50 resets, beads hidden twice", "0|3|0|7", "c=50", "! c0 c#0 c#0", "0|0|0|7" },
        { "leading zero", "0|0|0|0", "u=07", "u#7", "0|0|0|07=7" },
        { "blanks and a plus", "0|0|0|0", "d= +4 ", "d#4", "0|0| +4 =4|0" },
        { "emptied box", "0|0|0|7", "u=", "u#0", "0|0|0|=0" },
        { "letters", "0|0|0|7", "u=ab", "! u0 u#0 u#0", "0|0|0|0" },
        // The 16-bit ends
        { "down to -32768", "0|0|0|-32767", "u-", "u-32768 u9 u#9 d-1 d9 d#9 c-1 c9 c#9 m-1 m0 m#0",
            "0|9|9|9" },
        { "- on -32768 stops", "0|0|0|-32768", "u-", "stop", "0|0|0|-32768#0" },
        { "stop keeps earlier writes", "0|0|-32768|0", "u-", "u-1 u9 u#9 stop", "0|0|-32768#0|9" },
    };
    for (const auto &[name, before, typedOrPressed, heard, after] : rows) {
        Log log;
        AbacusCore core(log);
        edit(core, before);
        log.entries.clear();
        const std::string action = typedOrPressed;
        const auto place = Place(std::string("udcm").find(action[0]));
        if (action[1] == '=')
            core.edit(place, action.substr(2));
        else if (!core.step(place, action[1] == '+' ? +1 : -1))
            log.add("stop");
        same(name, log.entries + " => " + state(core), std::string(heard) + " => " + after);
    }
}

// Which typed characters a box takes, how long typing may make its text, where a window goes.
void editionRules()
{
    // Of these, the two digits pass.
    const std::u32string typed = { U'0', U'9', U'/', U':', U'a', U'à', 0, 8, 13, 22, 27, U'\u0663',
        U'\uff13', U'\U0001d7ce', U'0' + 0x10000 };
    for (const char32_t c : typed)
        same("typed U+" + std::to_string(unsigned(c)),
            tallino::isTypedDigit(c) ? "passes" : "dropped",
            c == U'0' || c == U'9' ? "passes" : "dropped");
    for (const auto &[length, limit] :
        { std::pair { 0, 2 }, { 1, 2 }, { 2, 2 }, { 3, 3 }, { 6, 6 } })
        same("limit at " + std::to_string(length),
            std::to_string(tallino::typedLengthLimit(std::size_t(length))), std::to_string(limit));
    const std::tuple<tallino::PixelRect, int, int, const char *> placements[] = {
        { { 0, 0, 1024, 768 }, 524, 568, "250,100" }, // centred
        { { 0, 40, 1024, 728 }, 524, 568, "250,120" }, // below a top panel
        { { 1024, 0, 800, 600 }, 400, 200, "1224,200" }, // on a second screen
        { { 0, 0, 400, 800 }, 524, 568, "0,116" }, // wider than the area
        { { 10, 20, 1024, 500 }, 524, 568, "260,20" }, // taller
    };
    for (const auto &[area, width, height, place] : placements) {
        const tallino::PixelRect placed = tallino::placedOn(area, width, height);
        same("placed in " + std::to_string(area.width) + "x" + std::to_string(area.height),
            std::to_string(placed.left) + "," + std::to_string(placed.top), place);
    }
}

} // namespace

int main()
{
    presses();
    editionRules();
    std::printf("tst_core: %d failures\n", failures);
    return failures ? 1 : 0;
}
