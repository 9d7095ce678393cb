#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tallino {

// The places from the lowest up: a carry goes from a place to the next one.
enum class Place : std::uint8_t { Units, Tens, Hundreds, Thousands };

inline constexpr int placeCount = 4;
inline constexpr int beadsPerRod = 9;
inline constexpr std::array<Place, placeCount> allPlaces { Place::Units, Place::Tens,
    Place::Hundreds, Place::Thousands };

constexpr int indexOf(Place place)
{
    return static_cast<int>(place);
}

// Of the characters a key press delivers to a digit box, only "0" to "9" reach it; every other
// one, control characters included, is dropped without a word.
constexpr bool isTypedDigit(char32_t character)
{
    return character >= U'0' && character <= U'9';
}

// How long the user may make a box's text by typing or pasting: two characters, or as long as
// the text already is when the program wrote a longer one; an edit beyond it is refused whole.
constexpr std::size_t typedLengthLimit(std::size_t currentLength)
{
    return currentLength > 2 ? currentLength : 2;
}

// What the window has to mirror. Every call arrives synchronously, in the order in which the
// change handler does its work, so nested runs are seen as they happen.
class AbacusListener {
public:
    virtual ~AbacusListener() = default;
    // The program's own write into a box.
    virtual void textWritten(Place, std::string_view) { }
    // Beads of ranks 1..shown are now visible, the others hidden.
    virtual void beadsSet(Place, int /*shown*/) { }
    virtual void errorRequested() { }
};

// The four columns of the abacus and the rules that tie box texts, digits and beads together.
// No Qt here: the window forwards edits and clicks and mirrors what the listener is told.
class AbacusCore {
public:
    explicit AbacusCore(AbacusListener &listener) : listener_(listener) { }

    // The user changed a box; the box already shows the new text.
    void edit(Place place, std::string_view text);
    // "+" (delta +1) or "-" (delta -1) of a place. False when the press stopped at a 16-bit
    // overflow.
    bool step(Place from, int delta);

    const std::string &text(Place place) const { return columns_[indexOf(place)].text; }
    std::int16_t digit(Place place) const { return digits_.*digitVariables[indexOf(place)]; }
    bool isBeadVisible(Place place, int rank) const;

private:
    struct Column {
        std::string text = "0";
        std::array<bool, beadsPerRod> beads {};
    };
    // Only the change handler writes these; the step chains read them.
    struct DigitVariables {
        std::int16_t cifraUnit = 0;
        std::int16_t cifraDecine = 0;
        std::int16_t cifraCentinaia = 0;
        std::int16_t cifraMigliaia = 0;
    };
    static constexpr std::int16_t DigitVariables::*digitVariables[placeCount] = {
        &DigitVariables::cifraUnit, &DigitVariables::cifraDecine, &DigitVariables::cifraCentinaia,
        &DigitVariables::cifraMigliaia
    };

    void write(Place place, std::string_view text);
    void handleChange(Place place);
    void setBeads(Place place, int shown);
    bool writeStepped(Place place, int delta);

    AbacusListener &listener_;
    std::array<Column, placeCount> columns_ {};
    DigitVariables digits_;
};

} // namespace tallino
