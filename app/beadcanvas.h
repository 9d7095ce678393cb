#pragma once

#include "abacuscore.h"

#include <QWidget>

#include <array>

namespace tallino {

// The rods, the base bar and the 36 beads, painted in the order in which they were laid out so
// that the rods cover the beads they pass through. Lies under the controls of the window, but
// only over what it draws, clear of the buttons and boxes: their own repaints (a press, a new
// text) would otherwise repaint the whole drawing under them.
class BeadCanvas : public QWidget {
    Q_OBJECT

public:
    explicit BeadCanvas(QWidget *parent = nullptr);

    void setShownBeads(Place place, int shown);
    int shownBeads(Place place) const { return shown_[indexOf(place)]; }

    // In twips: the box of a bead of rank 1..9, and the circle drawn inside it.
    static QRect beadBox(Place place, int rank);
    static QRectF beadCircle(Place place, int rank);
    // In pixels of the window: the smallest rectangle holding everything painted.
    static QRect paintedArea();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::array<int, placeCount> shown_ {};
};

} // namespace tallino
