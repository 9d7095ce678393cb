// Drives the core with the user's edits, the program's writes and the eight presses, decoded
// from the input, and traps as soon as a column breaks a rule the window relies on.

#include "abacuscore.h"

#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace {

using tallino::AbacusCore;
using tallino::Place;

void require(bool holds)
{
    if (!holds)
        __builtin_trap();
}

// Read apart from the core, so that both must agree: blanks around, a sign, 16 bits.
std::optional<int> asNumber(std::string_view text)
{
    const auto blank = [](char c) {
        return c == ' ' || c == '\t';
    };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    std::string signedDigits;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        signedDigits = text.front() == '-' ? "-" : "";
        text.remove_prefix(1);
    }
    // from_chars would take a second sign after the first one.
    if (text.empty() || text.front() < '0' || text.front() > '9')
        return std::nullopt;
    signedDigits += text;
    const char *end = signedDigits.data() + signedDigits.size();
    std::int16_t value = 0;
    const auto [stop, error] = std::from_chars(signedDigits.data(), end, value);
    if (error != std::errc {} || stop != end)
        return std::nullopt;
    return value;
}

bool isBad(std::string_view text)
{
    const std::optional<int> value = asNumber(text);
    return !text.empty() && (!value || *value > 10);
}

// Follows every text a column holds: the last one from 0 to 9, or an empty one, sets the pile.
class Tracker : public tallino::AbacusListener {
public:
    void held(Place place, std::string_view text)
    {
        const std::optional<int> value = asNumber(text);
        if (text.empty())
            pile_[tallino::indexOf(place)] = 0;
        else if (value && *value >= 0 && *value <= 9)
            pile_[tallino::indexOf(place)] = *value;
    }
    int pile(Place place) const { return pile_[tallino::indexOf(place)]; }
    int reported(Place place) const { return reported_[tallino::indexOf(place)]; }

private:
    void textWritten(Place place, std::string_view text) override { held(place, text); }
    void beadsSet(Place place, int shown) override { reported_[tallino::indexOf(place)] = shown; }

    std::array<int, tallino::placeCount> pile_ {};
    std::array<int, tallino::placeCount> reported_ {};
};

class Input {
public:
    Input(const std::uint8_t *data, std::size_t size) : data_(data), size_(size) { }
    bool empty() const { return size_ == 0; }
    std::uint8_t next()
    {
        if (size_ == 0)
            return 0;
        --size_;
        return *data_++;
    }

    // Up to 15 characters, as many as the head's low bits say: from the characters the reading
    // cares about, or raw bytes when its top bit is set.
    std::string text()
    {
        static constexpr std::string_view alphabet("0123456789+- \tx\0", 16);
        const std::uint8_t head = next();
        std::string text(head & 0x0f, '\0');
        for (char &c : text) {
            const std::uint8_t byte = next();
            c = head & 0x80 ? static_cast<char>(byte) : alphabet[byte % alphabet.size()];
        }
        return text;
    }

private:
    const std::uint8_t *data_;
    std::size_t size_;
};

void checkColumn(const AbacusCore &core, const Tracker &tracker, Place place)
{
    const std::string &text = core.text(place);
    if (const std::optional<int> value = asNumber(text))
        require(core.digit(place) == *value);
    if (text.empty())
        require(core.digit(place) == 0);
    // Every bad text is reset at once, so none can stay in a box.
    require(!isBad(text));
    for (int rank = 1; rank <= tallino::beadsPerRod; ++rank)
        require(core.isBeadVisible(place, rank) == (rank <= tracker.pile(place)));
    require(tracker.reported(place) == tracker.pile(place));
}

bool holdsLowest(const AbacusCore &core)
{
    for (Place place : tallino::allPlaces) {
        if (core.digit(place) == -32768)
            return true;
    }
    return false;
}

// The digits as one number, when every place holds 0 to 9.
std::optional<int> plainNumber(const AbacusCore &core)
{
    int number = 0;
    for (int i = tallino::placeCount - 1; i >= 0; --i) {
        const int digit = core.digit(static_cast<Place>(i));
        if (digit < 0 || digit > 9)
            return std::nullopt;
        number = number * 10 + digit;
    }
    return number;
}

// A press adds or takes the place's value; past the ends, the places from it up to the
// hundreds wrap and the thousands stay at 9 or 0.
int afterPress(int number, Place place, bool up)
{
    int placeValue = 1;
    for (int i = 0; i < tallino::indexOf(place); ++i)
        placeValue *= 10;
    if (up ? number + placeValue <= 9999 : number >= placeValue)
        return up ? number + placeValue : number - placeValue;
    int result = number % placeValue + (up ? 9000 : 0);
    for (int p = placeValue; p <= 100; p *= 10)
        result += (up ? 0 : 9) * p;
    return result;
}

void press(AbacusCore &core, Place place, bool up)
{
    const std::optional<int> before = plainNumber(core);
    if (up) {
        // No text above ten stays, so the top of the 16-bit range is out of reach.
        require(core.stepUp(place));
    } else {
        // A stopped press means some place sits at the bottom of the range.
        require(core.stepDown(place) || holdsLowest(core));
    }
    if (before)
        require(plainNumber(core) == afterPress(*before, place, up));
}

// The low two bits of the first byte pick the place, the next two an edit, a write, "+" or "-".
void runOne(Input &input, AbacusCore &core, Tracker &tracker)
{
    const std::uint8_t op = input.next();
    const auto place = static_cast<Place>(op & 3);
    switch ((op >> 2) & 3) {
    case 0:
    case 1: {
        const std::string text = input.text();
        if ((op >> 2) & 1) {
            core.write(place, text);
        } else {
            tracker.held(place, text);
            core.edit(place, text);
        }
        if (isBad(text))
            require(core.text(place) == "0");
        break;
    }
    default:
        press(core, place, ((op >> 2) & 3) == 2);
        break;
    }
    for (Place p : tallino::allPlaces)
        checkColumn(core, tracker, p);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    try {
        Tracker tracker;
        AbacusCore core(&tracker);
        Input input(data, size);
        while (!input.empty())
            runOne(input, core, tracker);
    } catch (...) {
        __builtin_trap();
    }
    return 0;
}
