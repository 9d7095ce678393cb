#pragma once

#include "layout.h"

// What a desktop's window system gives the windows and a page has to bring itself.
namespace tallino::web {

// The windows' own font, where a control names none, and the captions' and notices': the dialog
// font the windows were drawn with. A browser's own dialog font may be any size, or a family the
// page's faces stand in for.
inline constexpr FontSpec ownFont { "MS Sans Serif", 8, false };

// What stays of the page after FINE where the browser lets no script close its window.
inline constexpr const char *closedText = "Tallino è chiuso.";
inline constexpr const char *restartText = "Ricomincia";

} // namespace tallino::web
