#pragma once

class QWidget;

namespace tallino {

// The About window, built fresh at each showing after a close; its opening steps have run
// when this returns.
QWidget *createAboutDialog();

} // namespace tallino
