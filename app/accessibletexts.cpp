#include "accessibletexts.h"

#include <QWidget>

namespace tallino {

namespace {

struct Texts {
    const char16_t *object;
    const char16_t *name;
    const char16_t *description;
};

// The captions "+", "-", "m", "da"... say nothing when spoken on their own.
constexpr Texts controlTexts[] = {
    { u"Command1", u"Aggiungi una unità", u"Aumenta di uno le unità" },
    { u"Command2", u"Togli una unità", u"Diminuisci di uno le unità" },
    { u"Command4", u"Aggiungi una decina", u"Aumenta di uno le decine" },
    { u"Command3", u"Togli una decina", u"Diminuisci di uno le decine" },
    { u"Command6", u"Aggiungi un centinaio", u"Aumenta di uno le centinaia" },
    { u"Command5", u"Togli un centinaio", u"Diminuisci di uno le centinaia" },
    { u"Command8", u"Aggiungi un migliaio", u"Aumenta di uno le migliaia" },
    { u"Command7", u"Togli un migliaio", u"Diminuisci di uno le migliaia" },
    { u"Command9", u"QUIRDO'S: informazioni",
        u"Apre la finestra con le informazioni sul programma" },
    { u"Command10", u"Fine", u"Chiude il programma" },
    { u"unità", u"Cifra delle unità", u"Scrivi una cifra da 0 a 9 per le unità" },
    { u"decine", u"Cifra delle decine", u"Scrivi una cifra da 0 a 9 per le decine" },
    { u"centinaia", u"Cifra delle centinaia", u"Scrivi una cifra da 0 a 9 per le centinaia" },
    { u"migliaia", u"Cifra delle migliaia", u"Scrivi una cifra da 0 a 9 per le migliaia" },
    { u"Text1", u"Asta delle migliaia", u"La lettera m segna l'asta delle migliaia" },
    { u"Text2", u"Asta delle centinaia", u"La lettera c segna l'asta delle centinaia" },
    { u"Text3", u"Asta delle decine", u"Le lettere da segnano l'asta delle decine" },
    { u"Text4", u"Asta delle unità", u"La lettera u segna l'asta delle unità" },
};

} // namespace

void nameControlsForAccessibility(QWidget *window)
{
    for (const Texts &texts : controlTexts) {
        auto *control = window->findChild<QWidget *>(QString::fromUtf16(texts.object));
        if (!control)
            continue;
        control->setAccessibleName(QString::fromUtf16(texts.name));
        control->setAccessibleDescription(QString::fromUtf16(texts.description));
    }
}

} // namespace tallino
