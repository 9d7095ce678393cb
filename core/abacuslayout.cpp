#include "abacuslayout.h"

#include <algorithm>

namespace tallino::abacus {

namespace {

constexpr FontSpec stepFont { "MS Sans Serif", 13.5, true }; // and the rod letters
constexpr FontSpec digitFont { "MS Sans Serif", 24, true };

// The captions "+", "-", "m", "da"... say nothing when spoken on their own.
ControlDescription step(const char *name, Place place, int delta, int left, int top)
{
    const Words &words = rodOf(place).words;
    const bool up = delta > 0;
    return { .kind = ControlKind::Button,
        .name = name,
        .box = { left, top, 495, 495 },
        .font = stepFont,
        .text = up ? "+" : "-",
        .spokenName = std::string(up ? "Aggiungi " : "Togli ") + words.withArticle,
        .spokenDescription =
            std::string(up ? "Aumenta di uno le " : "Diminuisci di uno le ") + words.many,
        .command = Command::Step,
        .place = place,
        .delta = delta };
}

ControlDescription digitBox(const char *name, Place place, int left)
{
    const Words &words = rodOf(place).words;
    return { .kind = ControlKind::DigitBox,
        .name = name,
        .box = { left, 6960, 795, 675 },
        .font = digitFont,
        .text = "0",
        .spokenName = std::string("Cifra delle ") + words.many,
        .spokenDescription = std::string("Scrivi una cifra da 0 a 9 per le ") + words.many,
        .place = place };
}

ControlDescription rodLetter(const char *name, Place place, int left, const std::string &letter)
{
    const Words &words = rodOf(place).words;
    const std::string marks = letter.size() == 1 ? "La lettera " + letter + " segna"
                                                 : "Le lettere " + letter + " segnano";
    return { .kind = ControlKind::RodLetter,
        .name = name,
        .box = { left, 6120, 495, 495 },
        .font = stepFont,
        .text = letter,
        .spokenName = std::string("Asta delle ") + words.many,
        .spokenDescription = marks + " l'asta delle " + words.many,
        .place = place };
}

// One text; the runs of blanks push each item onto a line of its own.
std::string instructions()
{
    const std::pair<const char *, std::size_t> pieces[] = {
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
    std::string text;
    for (const auto &[piece, blanks] : pieces)
        text.append(piece).append(blanks, ' ');
    return text;
}

WindowDescription describe()
{
    return { .name = "tallino",
        .caption = "TALLINO",
        .client = { 0, 0, 7770, 8220 },
        .isMain = true,
        .background = Rgb { 163, 224, 215 },
        .controls = {
            rodLetter("Text1", Place::Thousands, 480, "m"),
            rodLetter("Text2", Place::Hundreds, 1560, "c"),
            rodLetter("Text3", Place::Tens, 2640, "da"),
            rodLetter("Text4", Place::Units, 3720, "u"),
            step("Command2", Place::Units, -1, 3720, 600),
            step("Command3", Place::Tens, -1, 2640, 600),
            step("Command5", Place::Hundreds, -1, 1560, 600),
            step("Command7", Place::Thousands, -1, 480, 600),
            digitBox("unità", Place::Units, 3135),
            digitBox("decine", Place::Tens, 2340),
            digitBox("centinaia", Place::Hundreds, 1560),
            digitBox("migliaia", Place::Thousands, 750),
            step("Command8", Place::Thousands, +1, 473, 120),
            step("Command6", Place::Hundreds, +1, 1553, 120),
            step("Command4", Place::Tens, +1, 2633, 120),
            step("Command1", Place::Units, +1, 3713, 120),
            { .kind = ControlKind::Title,
                .name = "Label1",
                .box = { 4500, 120, 3255, 1455 },
                .font = { "Curlz MT", 48, true },
                .text = "TALLINO",
                .ground = Rgb { 128, 255, 255 } },
            { .kind = ControlKind::Label,
                .name = "Label2",
                .box = { 4560, 1680, 3135, 3255 },
                .font = { "MS Sans Serif", 9.75, true },
                .text = instructions(),
                .ground = Rgb { 94, 183, 152 } },
            button("Command9", { 4560, 6960, 3135, 735 }, { "MS Sans Serif", 18, true }, "QUIRDO'S",
                "QUIRDO'S: informazioni", "Apre la finestra con le informazioni sul programma",
                Command::OpenAbout),
            button("Command10", { 120, 7800, 7575, 375 }, { "MS Sans Serif", 13.5, false }, "FINE",
                "Fine", "Chiude il programma", Command::Quit),
        } };
}

} // namespace

const WindowDescription &window()
{
    static const WindowDescription described = describe();
    return described;
}

const Rod &rodOf(Place place)
{
    return *std::find_if(
        rods.begin(), rods.end(), [place](const Rod &rod) { return rod.place == place; });
}

TwipsRect beadCircle(const Rod &rod, int rank)
{
    const int diameter = std::min(beadWidth, beadHeight);
    const int top = topBeadTop + beadPitch * (beadsPerRod - rank);
    return { rod.beadLeft + (beadWidth - diameter) / 2, top + (beadHeight - diameter) / 2, diameter,
        diameter };
}

std::string beadsInWords(const AbacusCore &core)
{
    std::string words;
    for (const Rod &rod : rods) {
        int shown = 0;
        for (int rank = 1; rank <= beadsPerRod; ++rank)
            shown += core.isBeadVisible(rod.place, rank) ? 1 : 0;
        if (!words.empty())
            words += ", ";
        words += std::to_string(shown) + ' ' + (shown == 1 ? rod.words.one : rod.words.many);
    }
    return words;
}

} // namespace tallino::abacus
