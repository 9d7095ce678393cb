#include "abacuslayout.h"

#include <algorithm>

namespace tallino::abacus {

TwipsRect beadCircle(const PlaceRow &row, int rank)
{
    const int diameter = std::min(beadWidth, beadHeight);
    const int top = topBeadTop + beadPitch * (beadsPerRod - rank);
    return { row.beadLeft + (beadWidth - diameter) / 2, top + (beadHeight - diameter) / 2, diameter,
        diameter };
}

std::string instructionText()
{
    std::string text;
    for (const Piece &piece : instructionPieces)
        text.append(piece.text).append(static_cast<std::size_t>(piece.blanks), ' ');
    return text;
}

// The captions "+", "-", "m", "da"... say nothing when spoken on their own.
SpokenText stepSpoken(const PlaceRow &row, int delta)
{
    const bool up = delta > 0;
    return { std::string(up ? "Aggiungi " : "Togli ") + row.words.withArticle,
        std::string(up ? "Aumenta di uno le " : "Diminuisci di uno le ") + row.words.many };
}

SpokenText digitBoxSpoken(const PlaceRow &row)
{
    return { std::string("Cifra delle ") + row.words.many,
        std::string("Scrivi una cifra da 0 a 9 per le ") + row.words.many };
}

SpokenText rodLetterSpoken(const PlaceRow &row)
{
    const std::string letter = row.letter;
    const std::string marks = letter.size() == 1 ? "La lettera " + letter + " segna"
                                                 : "Le lettere " + letter + " segnano";
    return { std::string("Asta delle ") + row.words.many,
        marks + " l'asta delle " + row.words.many };
}

std::string beadsInWords(const AbacusCore &core)
{
    std::string words;
    for (const PlaceRow &row : places) {
        int shown = 0;
        for (int rank = 1; rank <= beadsPerRod; ++rank)
            shown += core.isBeadVisible(row.place, rank) ? 1 : 0;
        if (!words.empty())
            words += ", ";
        words += std::to_string(shown) + ' ' + (shown == 1 ? row.words.one : row.words.many);
    }
    return words;
}

} // namespace tallino::abacus
