#pragma once

class QWidget;

namespace tallino {

// The "ERRORE" window, built fresh at each showing after a close.
QWidget *createErrorDialog();

} // namespace tallino
