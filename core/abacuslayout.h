#pragma once

#include "abacuscore.h"
#include "layout.h"

#include <array>
#include <string>

// The abacus window as it was drawn: its controls, and the drawing under them of rods, beads and
// base bar, in twips. The window, the bead drawing and the accessible names all read it.
namespace tallino::abacus {

const WindowDescription &window();

// How a place is said: "una unità", "1 unità", "le unità".
struct Words {
    const char *withArticle;
    const char *one;
    const char *many;
};

// A rod with its beads.
struct Rod {
    Place place;
    TwipsLine line;
    int beadLeft;
    Rgb beadFill;
    std::array<int, beadsPerRod> drawingOrder; // of the ranks, as the beads lie on one another
    Words words;
};

inline constexpr std::array<int, beadsPerRod> topDown { 9, 8, 7, 6, 5, 4, 3, 2, 1 };

constexpr TwipsLine rodLine(int x, int bottom)
{
    return { x, 1320, x, bottom, 10 };
}

// Left to right; they are drawn in this order too.
inline constexpr std::array<Rod, placeCount> rods { {
    { Place::Thousands, rodLine(720, 5880), 120, { 128, 128, 128 }, topDown,
        { "un migliaio", "migliaio", "migliaia" } },
    { Place::Hundreds, rodLine(1800, 5895), 1200, { 0, 0, 255 }, topDown,
        { "un centinaio", "centinaio", "centinaia" } },
    { Place::Tens, rodLine(2880, 6000), 2280, { 255, 0, 0 }, topDown,
        { "una decina", "decina", "decine" } },
    { Place::Units, rodLine(3960, 5880), 3375, { 255, 255, 255 }, { 1, 2, 9, 8, 7, 3, 4, 5, 6 },
        { "una unità", "unità", "unità" } },
} };

const Rod &rodOf(Place place);

inline constexpr int beadWidth = 1215;
inline constexpr int beadHeight = 495;
inline constexpr int beadPitch = 480;
inline constexpr int topBeadTop = 1440; // of rank 9
inline constexpr int beadOutlinePx = 1;
inline constexpr TwipsLine baseBar { 240, 6000, 4440, 6000, 15 };

// The circle of a bead: as wide as its box is high, centred in the box.
TwipsRect beadCircle(const Rod &rod, int rank);

// What a screen reader says of the drawing: the number its beads show, "2 migliaia, 0 centinaia,
// 1 decina, 5 unità".
inline constexpr const char *drawingDescription =
    "Il numero rappresentato dalle palline sul tallino";
std::string beadsInWords(const AbacusCore &core);

} // namespace tallino::abacus
