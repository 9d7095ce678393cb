#pragma once

// The three windows as they were drawn: places and sizes in twips, colours, fonts, texts and tab
// indexes; and what typing and the step buttons do to the boxes. Written once from the windows'
// description and shared by every edition's suite; nothing here is read from the program.

#include <string>
#include <vector>

namespace drawn {

struct Rgb {
    int red, green, blue;
};
struct Box {
    int left, top, width, height;
};

inline const Rgb background { 163, 224, 215 }; // of the abacus window
inline const Rgb titleBackground { 128, 255, 255 };
inline const Rgb instructionsBackground { 94, 183, 152 };

struct Window {
    const char *name;
    const char *caption;
    int width, height; // of the client area
};
inline const Window abacus { "tallino", "TALLINO", 7770, 8220 };
inline const Window dialog { "dialog", "ERRORE", 6030, 1890 };
inline const Window about { "frmAbout", "About tallino3.0", 5730, 3555 };

enum class Kind { Button, TextBox, Label, Picture };
enum class Align { Natural, Left, Centre }; // Natural: a button's own
struct Font {
    const char *family; // nullptr: the window's own font
    double points;
    bool bold;
};
struct Control {
    const Window *window;
    const char *name;
    Kind kind;
    Box box;
    std::string text;
    Font font;
    Align align;
    int tabIndex;
    bool enabled = true;
    const Rgb *ground = nullptr; // where it is not the window's
    bool border = false; // a single line
};

inline std::string blanks(int count)
{
    return std::string(static_cast<std::size_t>(count), ' ');
}

inline std::vector<Control> controls()
{
    const Font step { "MS Sans Serif", 13.5, true }, digit { "MS Sans Serif", 24, true };
    const Font own { nullptr, 0, false };
    const auto B = Kind::Button, T = Kind::TextBox, L = Kind::Label;
    const auto N = Align::Natural, C = Align::Centre, W = Align::Left;
    const Window *a = &abacus, *d = &dialog, *f = &about;
    return {
        { a, "Command8", B, { 473, 120, 495, 495 }, "+", step, N, 12 },
        { a, "Command6", B, { 1553, 120, 495, 495 }, "+", step, N, 13 },
        { a, "Command4", B, { 2633, 120, 495, 495 }, "+", step, N, 14 },
        { a, "Command1", B, { 3713, 120, 495, 495 }, "+", step, N, 15 },
        { a, "Command7", B, { 480, 600, 495, 495 }, "-", step, N, 7 },
        { a, "Command5", B, { 1560, 600, 495, 495 }, "-", step, N, 6 },
        { a, "Command3", B, { 2640, 600, 495, 495 }, "-", step, N, 5 },
        { a, "Command2", B, { 3720, 600, 495, 495 }, "-", step, N, 4 },
        { a, "Text1", T, { 480, 6120, 495, 495 }, "m", step, C, 0, false },
        { a, "Text2", T, { 1560, 6120, 495, 495 }, "c", step, C, 1, false },
        { a, "Text3", T, { 2640, 6120, 495, 495 }, "da", step, C, 2, false },
        { a, "Text4", T, { 3720, 6120, 495, 495 }, "u", step, C, 3, false },
        { a, "migliaia", T, { 750, 6960, 795, 675 }, "0", digit, C, 11 },
        { a, "centinaia", T, { 1560, 6960, 795, 675 }, "0", digit, C, 10 },
        { a, "decine", T, { 2340, 6960, 795, 675 }, "0", digit, C, 9 },
        { a, "unità", T, { 3135, 6960, 795, 675 }, "0", digit, C, 8 },
        { a, "Label1", L, { 4500, 120, 3255, 1455 }, "TALLINO", { "Curlz MT", 48, true }, C, 16,
            true, &titleBackground, true },
        { a, "Label2", L, { 4560, 1680, 3135, 3255 },
            "Premi i bottoni + e - per aumentare rispettivamente di:" + blanks(2) + "una unità,"
                + blanks(35) + "una decina," + blanks(33) + "un centinaio," + blanks(31)
                + "un migliaio." + blanks(30) + "Altrimenti puoi inserire direttamente" + blanks(2)
                + "il numero in cifre." + blanks(34)
                + "Vedrai apparire il numero così composto in cifre e la sua rappresentazione "
                  "sull' tallino."
                + blanks(5),
            { "MS Sans Serif", 9.75, true }, W, 17, true, &instructionsBackground },
        { a, "Command9", B, { 4560, 6960, 3135, 735 }, "QUIRDO'S", { "MS Sans Serif", 18, true }, N,
            18 },
        { a, "Command10", B, { 120, 7800, 7575, 375 }, "FINE", { "MS Sans Serif", 13.5, false }, N,
            19 },
        { d, "OKButton", B, { 600, 1440, 5055, 375 }, "OK", own, N, 0 },
        { d, "Label1", L, { 720, 360, 4575, 855 },
            "PUOI INSERIRE SOLO NUMERI" + blanks(9) + "COMPRESI TRA 0 E 9",
            { "MS Sans Serif", 13.5, true }, W, 1 },
        { f, "picIcon", Kind::Picture, { 240, 240, 540, 540 }, "", own, N, 1 },
        { f, "cmdOK", B, { 4245, 2625, 1260, 825 }, "OK", own, N, 0 },
        { f, "lblDescription", L, { 1050, 1125, 3885, 1050 },
            "Questo programmino permette dii rappresentare su di un tallino unità, decine, "
            "centinaia e migliaia."
                + blanks(189) + "Dedicato a mio papà",
            own, W, 2 },
        { f, "lblTitle", L, { 1080, 240, 3885, 480 }, "tallino3.0", { "Arial", 18, true }, W, 4 },
        { f, "lblDisclaimer", L, { 255, 2625, 3870, 825 },
            "Programma gratuito per la scuola: copialo e regalalo liberamente, ma non venderlo. "
            "Nessuna garanzia.",
            own, W, 3 },
    };
}

// The Tab key's round from the first control with the focus, the disabled rod letters passed by.
inline const char *const tabRound[] = { "Command2", "Command3", "Command5", "Command7", "unità",
    "decine", "centinaia", "migliaia", "Command8", "Command6", "Command4", "Command1", "Command9",
    "Command10", "Command2" };

// What a screen reader says of some controls, and of the drawing with 1025 in the boxes.
inline const char *const spokenNames[][2] = { { "Command4", "Aggiungi una decina" },
    { "Command7", "Togli un migliaio" }, { "centinaia", "Cifra delle centinaia" },
    { "Text4", "Asta delle unità" } };
inline const char *const spoken1025 = "1 migliaio, 0 centinaia, 2 decine, 5 unità";

// The drawing, left to right: thousands, hundreds, tens, units.
inline const Rgb beadFills[] = { { 128, 128, 128 }, { 0, 0, 255 }, { 255, 0, 0 },
    { 255, 255, 255 } };
inline const int beadBoxLefts[] = { 120, 1200, 2280, 3375 };
inline const int rodXs[] = { 720, 1800, 2880, 3960 };
inline const char *const boxNames[] = { "migliaia", "centinaia", "decine", "unità" };
inline constexpr int rodTop = 1320, rodWidthPx = 10;
inline constexpr int beadWidth = 1215, beadHeight = 495;
inline constexpr int barLeft = 240, barRight = 4440, barY = 6000, barWidthPx = 15;
inline int beadTop(int rank)
{
    return 1440 + 480 * (9 - rank);
}
// The About window's etched line: white, 2 px, over grey, 1 px, which reaches 15 twips further.
inline constexpr int etchLeft = 120, etchY = 2400, whiteEnd = 5669, greyEnd = 5684;
inline const Rgb grey { 128, 128, 128 }, white { 255, 255, 255 };

// A box's text and caret: typed first, then "|" where the caret stands, or the whole of it
// selected where there is none; afterwards a selection shows in brackets.
struct Typing {
    const char *name;
    const char *before;
    bool home; // the Home key pressed before the characters
    std::u32string characters; // each delivered by a key press; none: the clipboard pasted
    const char *clipboard; // nullptr: no text on it
    const char *after;
};
inline const Typing typings[] = {
    { "digit", "|1", false, U"0", nullptr, "0|1" },
    { "third character", "10|", false, U"5", nullptr, "10|" },
    { "third character in front", "|10", false, U"5", nullptr, "|10" },
    { "above 10, reset, then a digit after the 0", "1|", false, U"25", nullptr, "05|" },
    { "Backspace", "10|", false, U"\b", nullptr, "10|" },
    { "Enter", "1|", false, U"\r", nullptr, "1|" },
    { "Ctrl+V", "1", false, U"\x16", "7", "[1]" },
    { "letter", "1|", false, U"a", nullptr, "1|" },
    { "Arabic-Indic three", "1|", false, U"\u0663", nullptr, "1|" },
    { "Home, then a digit", "1|", true, U"0", nullptr, "0|1" },
    { "paste", "|", false, U"", "7", "7|" },
    { "paste over the selection", "10", false, U"", "5", "5|" },
    { "paste too long, refused", "1|", false, U"", "12", "1|" },
    { "paste of its first line", "|", false, U"", "7\r\n8", "7|" },
    { "paste above 10, reset", "|", false, U"", "12", "0|" },
    { "paste without text", "1|", false, U"", nullptr, "1|" },
};

// A number typed into the boxes, thousands first, then a step button pressed.
struct Press {
    const char *before;
    const char *button;
    const char *after;
};
inline const Press presses[] = {
    { "5555", "Command8", "6555" },
    { "5555", "Command6", "5655" },
    { "5555", "Command4", "5565" },
    { "5555", "Command1", "5556" },
    { "5555", "Command7", "4555" },
    { "5555", "Command5", "5455" },
    { "5555", "Command3", "5545" },
    { "5555", "Command2", "5554" },
    { "0999", "Command1", "1000" },
    { "1000", "Command2", "0999" },
    { "9999", "Command1", "9000" },
    { "0000", "Command2", "0999" },
    { "9555", "Command8", "9555" },
    { "0555", "Command7", "0555" },
};

} // namespace drawn
