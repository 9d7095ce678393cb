#pragma once

#include "abacuscore.h"
#include "layout.h"

#include <array>
#include <string>

// The abacus window as it was drawn: every control's place, size, colour and tab index, in
// twips. The window, the bead drawing and the accessible names all read it.
namespace tallino::abacus {

inline constexpr TwipsRect client { 0, 0, 7770, 8220 };
inline constexpr Rgb background { 163, 224, 215 };

inline constexpr FontSpec stepFont { "MS Sans Serif", 13.5, true }; // and the rod letters
inline constexpr FontSpec digitFont { "MS Sans Serif", 24, true };
inline constexpr const char *plusCaption = "+";
inline constexpr const char *minusCaption = "-";
// What the user may type or paste into a digit box; the program's own writes may be longer.
inline constexpr int typedLengthLimit = 2;

// How the place is said: "una unità", "1 unità", "le unità".
struct Words {
    const char *withArticle;
    const char *one;
    const char *many;
};

struct PlaceRow {
    Place place;
    Control plus;
    Control minus;
    Control digitBox;
    Control rodLetter;
    const char *letter;
    TwipsLine rod;
    int beadLeft;
    Rgb beadFill;
    std::array<int, beadsPerRod> drawingOrder; // of the ranks, as the beads lie on one another
    Words words;
};

inline constexpr std::array<int, beadsPerRod> topDown { 9, 8, 7, 6, 5, 4, 3, 2, 1 };

// The "+", "-" and rod letter boxes are squares of 495; the digit boxes stand in one row.
constexpr Control square(const char *name, int left, int top, int tabIndex)
{
    return { name, { left, top, 495, 495 }, tabIndex };
}
constexpr Control digitBox(const char *name, int left, int tabIndex)
{
    return { name, { left, 6960, 795, 675 }, tabIndex };
}
constexpr TwipsLine rod(int x, int bottom)
{
    return { x, 1320, x, bottom, 10 };
}

// Left to right; the beads and rods are drawn in this order too.
inline constexpr std::array<PlaceRow, placeCount> places { {
    { Place::Thousands, square("Command8", 473, 120, 12), square("Command7", 480, 600, 7),
        digitBox("migliaia", 750, 11), square("Text1", 480, 6120, 0), "m", rod(720, 5880), 120,
        { 128, 128, 128 }, topDown, { "un migliaio", "migliaio", "migliaia" } },
    { Place::Hundreds, square("Command6", 1553, 120, 13), square("Command5", 1560, 600, 6),
        digitBox("centinaia", 1560, 10), square("Text2", 1560, 6120, 1), "c", rod(1800, 5895), 1200,
        { 0, 0, 255 }, topDown, { "un centinaio", "centinaio", "centinaia" } },
    { Place::Tens, square("Command4", 2633, 120, 14), square("Command3", 2640, 600, 5),
        digitBox("decine", 2340, 9), square("Text3", 2640, 6120, 2), "da", rod(2880, 6000), 2280,
        { 255, 0, 0 }, topDown, { "una decina", "decina", "decine" } },
    { Place::Units, square("Command1", 3713, 120, 15), square("Command2", 3720, 600, 4),
        digitBox("unità", 3135, 8), square("Text4", 3720, 6120, 3), "u", rod(3960, 5880), 3375,
        { 255, 255, 255 }, { 1, 2, 9, 8, 7, 3, 4, 5, 6 }, { "una unità", "unità", "unità" } },
} };

inline constexpr int beadWidth = 1215;
inline constexpr int beadHeight = 495;
inline constexpr int beadPitch = 480;
inline constexpr int topBeadTop = 1440; // of rank 9
inline constexpr int beadOutlinePx = 1;
inline constexpr TwipsLine baseBar { 240, 6000, 4440, 6000, 15 };

// The circle of a bead: as wide as its box is high, centred in the box.
TwipsRect beadCircle(const PlaceRow &row, int rank);

// A control that is not one place's, with its caption, font and what a screen reader says.
struct Single {
    Control control;
    const char *caption;
    FontSpec font;
    Spoken spoken;
};

inline constexpr Single title { { "Label1", { 4500, 120, 3255, 1455 }, 16 }, "TALLINO",
    { "Curlz MT", 48, true }, {} };
inline constexpr Rgb titleBackground { 128, 255, 255 };
inline constexpr Single instructions { { "Label2", { 4560, 1680, 3135, 3255 }, 17 }, nullptr,
    { "MS Sans Serif", 9.75, true }, {} };
inline constexpr Rgb instructionsBackground { 94, 183, 152 };
inline constexpr Single author { { "Command9", { 4560, 6960, 3135, 735 }, 18 }, "QUIRDO'S",
    { "MS Sans Serif", 18, true },
    { "QUIRDO'S: informazioni", "Apre la finestra con le informazioni sul programma" } };
inline constexpr Single exit { { "Command10", { 120, 7800, 7575, 375 }, 19 }, "FINE",
    { "MS Sans Serif", 13.5, false }, { "Fine", "Chiude il programma" } };

// The instructions are one text; the runs of blanks push each item onto a line of its own.
struct Piece {
    const char *text;
    int blanks;
};
inline constexpr Piece instructionPieces[] = {
    { "Premi i bottoni + e - per aumentare rispettivamente di:", 2 },
    { "una unità,", 35 },
    { "una decina,", 33 },
    { "un centinaio,", 31 },
    { "un migliaio.", 30 },
    { "Altrimenti puoi inserire direttamente", 2 },
    { "il numero in cifre.", 34 },
    { "Vedrai apparire il numero così composto in cifre e la sua rappresentazione "
      "sull' tallino.",
        5 },
};

// Window-level texts.
inline constexpr const char *caption = "TALLINO";
inline constexpr const char *windowName = "tallino";
inline constexpr const char *drawingDescription =
    "Il numero rappresentato dalle palline sul tallino";

// The instruction label's caption, pieces and blanks joined.
std::string instructionText();

// What a screen reader says of each place's controls, and of the drawing: the number its
// beads show, "2 migliaia, 0 centinaia, 1 decina, 5 unità".
struct SpokenText {
    std::string name;
    std::string description;
};
SpokenText stepSpoken(const PlaceRow &row, int delta);
SpokenText digitBoxSpoken(const PlaceRow &row);
SpokenText rodLetterSpoken(const PlaceRow &row);
std::string beadsInWords(const AbacusCore &core);

} // namespace tallino::abacus
