#pragma once

#include "layout.h"

#include <string>

// The error dialog and the About window as they were drawn, in twips, with their texts.
namespace tallino {

// The caption of both dialogs' buttons.
inline constexpr const char *okCaption = "OK";

namespace errordialog {
inline constexpr const char *windowName = "dialog";
inline constexpr const char *caption = "ERRORE";
inline constexpr TwipsRect client { 0, 0, 6030, 1890 };
inline constexpr Control okButton { "OKButton", { 600, 1440, 5055, 375 }, 0 };
inline constexpr Control message { "Label1", { 720, 360, 4575, 855 }, 1 };
inline constexpr FontSpec messageFont { "MS Sans Serif", 13.5, true };
inline constexpr Spoken okSpoken { "OK", "Chiude l'avviso e torna al tallino" };
std::string messageText();
} // namespace errordialog

namespace about {
inline constexpr const char *windowName = "frmAbout";
// Replaced by the opening steps before the window is first shown.
inline constexpr const char *storedCaption = "Informazioni";
inline constexpr const char *storedTitle = "TALLINO 3.0";
inline constexpr const char *captionPrefix = "About ";
inline constexpr TwipsRect client { 0, 0, 5730, 3555 };
inline constexpr Control picture { "picIcon", { 240, 240, 540, 540 }, 1 };
inline constexpr Control okButton { "cmdOK", { 4245, 2625, 1260, 825 }, 0 };
inline constexpr Control description { "lblDescription", { 1050, 1125, 3885, 1050 }, 2 };
inline constexpr Control title { "lblTitle", { 1080, 240, 3885, 480 }, 4 };
inline constexpr Control disclaimer { "lblDisclaimer", { 255, 2625, 3870, 825 }, 3 };
inline constexpr FontSpec titleFont { "Arial", 18, true };
// The etched separator: the white line is drawn over the grey one.
inline constexpr TwipsLine greyLine { 120, 2400, 5684, 2400, 1 };
inline constexpr TwipsLine whiteLine { 120, 2400, 5669, 2400, 2 };
inline constexpr Rgb grey { 128, 128, 128 };
inline constexpr Rgb white { 255, 255, 255 };
inline constexpr Rgb ink { 0, 0, 0 };
inline constexpr const char *disclaimerText = "Programma gratuito per la scuola: copialo e "
                                              "regalalo liberamente, ma non venderlo. Nessuna "
                                              "garanzia.";
inline constexpr Spoken okSpoken { "OK", "Chiude la finestra delle informazioni" };
inline constexpr const char *pictureName = "Disegno di un tallino";
std::string descriptionText();
// The opening steps' caption and title, from the title fixed at build time.
std::string captionText();
std::string titleText();
} // namespace about

} // namespace tallino
