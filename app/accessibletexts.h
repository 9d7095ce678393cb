#pragma once

class QWidget;

namespace tallino {

// Gives every button and box of the abacus window the Italian name and description a screen
// reader speaks: which place it acts on and what it does there.
void nameControlsForAccessibility(QWidget *window);

} // namespace tallino
