#pragma once

#include <array>
#include <cstdint>
#include <optional>
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

// What the window has to mirror. Every call arrives synchronously, in the order in which the
// change handler does its work, so a listener sees nested runs as they happen.
class AbacusListener {
public:
    virtual ~AbacusListener() = default;
    virtual void changeHandlerStarted(Place) { }
    virtual void textWritten(Place, std::string_view) { }
    // Beads of ranks 1..shown are now visible, the others hidden.
    virtual void beadsSet(Place, int /*shown*/) { }
    virtual void errorRequested() { }
};

// Reads a box text as a 16-bit number: blanks around, an optional sign, decimal digits.
std::optional<std::int16_t> readNumber(std::string_view text);

// The four columns of the abacus and the rules that tie box texts, digits and beads together.
// No Qt here: the window forwards edits and clicks and mirrors what the listener is told.
class AbacusCore {
public:
    explicit AbacusCore(AbacusListener *listener = nullptr) : listener_(listener) { }
    void setListener(AbacusListener *listener) { listener_ = listener; }

    // The user changed a box; the box already shows the new text.
    void edit(Place place, std::string_view text);
    // The program's own write: the box is told first, then the change handler runs.
    void write(Place place, std::string_view text);

    // "+" and "-" of a place. False when the press stopped at a 16-bit overflow.
    bool stepUp(Place from) { return step(from, +1); }
    bool stepDown(Place from) { return step(from, -1); }

    const std::string &text(Place place) const { return column(place).text; }
    std::int16_t digit(Place place) const { return column(place).digit; }
    bool isBeadVisible(Place place, int rank) const;

    std::int16_t cifraUnit() const { return digit(Place::Units); }
    std::int16_t cifraDecine() const { return digit(Place::Tens); }
    std::int16_t cifraCentinaia() const { return digit(Place::Hundreds); }
    std::int16_t cifraMigliaia() const { return digit(Place::Thousands); }

private:
    struct Column {
        std::string text = "0";
        std::int16_t digit = 0;
        std::array<bool, beadsPerRod> beads {};
    };

    Column &column(Place place) { return columns_[indexOf(place)]; }
    const Column &column(Place place) const { return columns_[indexOf(place)]; }
    AbacusListener &listener();
    void handleChange(Place place);
    void setBeads(Place place, int shown);
    bool writeStepped(Place place, int delta);
    bool step(Place from, int delta);

    std::array<Column, placeCount> columns_ {};
    AbacusListener *listener_ = nullptr;
};

} // namespace tallino
