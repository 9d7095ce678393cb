#pragma once

#include "abacuscore.h"
#include "windowsupport.h"

#include <QWidget>

#include <array>
#include <utility>
#include <vector>

class QPushButton;

namespace tallino {

class BeadCanvas;
class DigitBox;
class DigitKeyFilter;

namespace abacus {
struct PlaceRow;
struct Single;
} // namespace abacus

// The abacus drawing with its boxes and buttons, built from its layout table: a thin view over
// AbacusCore. Edits and clicks go to the core; texts, beads and error requests come back
// through the listener.
class AbacusWindow : public QWidget, private AbacusListener {
    Q_OBJECT

public:
    explicit AbacusWindow(QWidget *parent = nullptr);

private:
    template<typename Widget> Widget *place(Widget *control, const Control &row);
    QPushButton *addButton(const abacus::Single &single);
    void addLabels();
    void addStepButton(const abacus::PlaceRow &row, int delta);
    void addDigitBox(const abacus::PlaceRow &row);
    void addRodLetter(const abacus::PlaceRow &row);
    void orderTabStops();

    void textWritten(Place place, std::string_view text) override;
    void beadsSet(Place place, int shown) override;
    void errorRequested() override;

    AbacusCore core_;
    DigitKeyFilter *keyFilter_ = nullptr;
    BeadCanvas *canvas_ = nullptr;
    std::array<DigitBox *, placeCount> boxes_ {};
    std::vector<std::pair<int, QWidget *>> tabStops_;
    ReloadableWindow errorDialog_;
    ReloadableWindow about_;
};

} // namespace tallino
