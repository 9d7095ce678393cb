// Random edits and presses on the core. What is checked needs no model of the rules: each digit
// is what its box's text reads, the beads show a digit of 0 to 9 and do not move for any other
// number, no box keeps a number above 10, and a press stops only on a digit of -32768.

#include "abacuscore.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

using tallino::Place;

// Plain decimal only ("7", "-1", "07"): other forms the core may read are left unchecked.
static std::optional<int> plainNumber(const std::string &text)
{
    std::int16_t value = 0;
    const char *end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc {} && stop == end ? std::optional<int>(value) : std::nullopt;
}

static void require(bool holds)
{
    if (!holds)
        __builtin_trap();
}

// Each byte is an operation on the place in its low two bits: with bit 2 a press, "+" with
// bit 3; without, an edit to the next (byte >> 5) bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Every state is a few dozen operations from the start: longer runs only cost speed.
    size = std::min<std::size_t>(size, 32);
    tallino::AbacusListener quiet;
    tallino::AbacusCore core(quiet);
    std::array<std::array<bool, tallino::beadsPerRod + 1>, tallino::placeCount> beads {};
    for (std::size_t i = 0; i < size; ++i) {
        const auto place = Place(data[i] & 3);
        if (data[i] & 4) {
            const auto &places = tallino::allPlaces;
            require(core.step(place, data[i] & 8 ? +1 : -1)
                || std::any_of(places.begin(), places.end(),
                    [&core](Place p) { return core.digit(p) == -32768; }));
        } else {
            const std::size_t length = std::min<std::size_t>(data[i] >> 5, size - i - 1);
            core.edit(place, std::string(reinterpret_cast<const char *>(data + i + 1), length));
            i += length;
        }
        for (Place p : tallino::allPlaces) {
            const std::optional<int> value = plainNumber(core.text(p));
            require(!value || (core.digit(p) == *value && *value <= 10));
            for (int rank = 1; rank <= tallino::beadsPerRod; ++rank) {
                bool &shown = beads[tallino::indexOf(p)][rank];
                const bool now = core.isBeadVisible(p, rank);
                if (value)
                    require(now == (*value >= 0 && *value <= 9 ? rank <= *value : shown));
                shown = now;
            }
        }
    }
    return 0;
}
