#include "abacuscore.h"

#include <limits>
#include <optional>

namespace tallino {

namespace {

constexpr int largestAcceptedDigit = 10; // 10 must pass: a carry writes it before wrapping
constexpr int lowest = std::numeric_limits<std::int16_t>::min();
constexpr int highest = std::numeric_limits<std::int16_t>::max();

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A box text as a 16-bit number: blanks around, an optional sign, decimal digits.
std::optional<std::int16_t> readNumber(std::string_view text)
{
    text = trimmed(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    // Accumulated as a negative number so that -32768 fits without a special case.
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 - (c - '0');
        if (value < lowest)
            return std::nullopt;
    }
    if (!negative)
        value = -value;
    if (value > highest)
        return std::nullopt;
    return static_cast<std::int16_t>(value);
}

} // namespace

void AbacusCore::edit(Place place, std::string_view text)
{
    columns_[indexOf(place)].text = text;
    handleChange(place);
}

void AbacusCore::write(Place place, std::string_view text)
{
    // Through a copy: GCC 12 at -O3 takes the view for one into the text itself (-Wrestrict).
    columns_[indexOf(place)].text = std::string(text);
    listener_.textWritten(place, text);
    handleChange(place);
}

bool AbacusCore::isBeadVisible(Place place, int rank) const
{
    return rank >= 1 && rank <= beadsPerRod && columns_[indexOf(place)].beads[rank - 1];
}

void AbacusCore::handleChange(Place place)
{
    const std::string &text = columns_[indexOf(place)].text;
    std::int16_t &digit = digits_.*digitVariables[indexOf(place)];
    const std::optional<std::int16_t> value = readNumber(text);
    if (!value && text.empty()) {
        // An emptied box reads as nought but stays empty, ready for the next digit.
        digit = 0;
        setBeads(place, 0);
        return;
    }
    if (value)
        digit = *value;
    if (!value || *value > largestAcceptedDigit) {
        listener_.errorRequested();
        write(place, "0");
    }
    // Read again: the reset above has changed the text.
    const std::optional<std::int16_t> shown = readNumber(text);
    for (int k = 0; k <= beadsPerRod; ++k) {
        if (shown == k)
            setBeads(place, k);
    }
}

void AbacusCore::setBeads(Place place, int shown)
{
    std::array<bool, beadsPerRod> &beads = columns_[indexOf(place)].beads;
    for (int rank = 1; rank <= beadsPerRod; ++rank)
        beads[rank - 1] = rank <= shown;
    listener_.beadsSet(place, shown);
}

bool AbacusCore::writeStepped(Place place, int delta)
{
    const int next = digit(place) + delta;
    if (next < lowest || next > highest)
        return false;
    write(place, std::to_string(next));
    return true;
}

// Every test is made in order, reading the digit as the earlier writes left it: a higher box
// holding "10" is carried even when the lower place did not carry.
bool AbacusCore::step(Place from, int delta)
{
    const bool up = delta > 0;
    const auto needsCarry = [up](int d) {
        return up ? d > 9 : d < 0;
    };
    if (!writeStepped(from, delta))
        return false;
    for (int i = indexOf(from); i < indexOf(Place::Thousands); ++i) {
        const auto place = static_cast<Place>(i);
        if (!needsCarry(digit(place)))
            continue;
        write(place, up ? "0" : "9");
        if (!writeStepped(static_cast<Place>(i + 1), delta))
            return false;
    }
    // The thousands do not wrap: the number stops at its ends.
    if (needsCarry(digit(Place::Thousands)))
        write(Place::Thousands, up ? "9" : "0");
    return true;
}

} // namespace tallino
