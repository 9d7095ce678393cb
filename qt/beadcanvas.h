#pragma once

#include <QWidget>

namespace tallino {

class AbacusCore;

// The base bar, the beads and the rods, painted from the core's beads under the window's
// controls, in the order in which they were laid out, so that the rods cover the beads they
// pass through.
class BeadCanvas : public QWidget {
    Q_OBJECT

public:
    BeadCanvas(const AbacusCore &core, QWidget *parent);

    // The core's beads changed: paint them anew and tell screen readers the number.
    void beadsChanged();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const AbacusCore &core_;
};

} // namespace tallino
