#pragma once

#include "abacuscore.h"
#include "windowsupport.h"

#include <QWidget>

#include <array>

namespace tallino {

class BeadCanvas;
class DigitBox;

// The abacus drawing with its boxes and buttons, built from its description: a thin view over
// AbacusCore. Edits and clicks go to the core; texts, beads and error requests come back
// through the listener.
class AbacusWindow : public QWidget, private AbacusListener {
    Q_OBJECT

public:
    explicit AbacusWindow(QWidget *parent = nullptr);

private:
    void pressed(const ControlDescription &button);
    void textWritten(Place place, std::string_view text) override;
    void beadsSet(Place place, int shown) override;
    void errorRequested() override;

    AbacusCore core_;
    BeadCanvas *canvas_ = nullptr;
    std::array<DigitBox *, placeCount> boxes_ {};
    ReloadableWindow errorDialog_;
    ReloadableWindow about_;
};

} // namespace tallino
