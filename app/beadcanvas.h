#pragma once

#include "abacuscore.h"

#include <QWidget>

#include <array>

namespace tallino {

// The rods, the base bar and the 36 beads, painted in the order in which they were laid out so
// that the rods cover the beads they pass through. Lies under every control of the window.
class BeadCanvas : public QWidget {
    Q_OBJECT

public:
    explicit BeadCanvas(QWidget *parent = nullptr);

    void setShownBeads(Place place, int shown);
    int shownBeads(Place place) const { return shown_[indexOf(place)]; }

    // In twips: the box of a bead of rank 1..9, and the circle drawn inside it.
    static QRect beadBox(Place place, int rank);
    static QRectF beadCircle(Place place, int rank);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::array<int, placeCount> shown_ {};
};

} // namespace tallino
