#include "secondarywindow.h"

#include "windowsupport.h"

#include <QKeyEvent>
#include <QPainter>

namespace tallino {

SecondaryWindow::SecondaryWindow(const WindowDescription &described) : described_(described)
{
    buildWindow(this, described, [this](const ControlDescription &) { close(); });
}

void SecondaryWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.scale(1 / twipsPerPixel, 1 / twipsPerPixel);
    for (const auto &[line, rgb] : described_.lines) {
        painter.setPen(QPen(colour(rgb), line.widthPx * twipsPerPixel, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(line.x1, line.y1, line.x2, line.y2);
    }
}

// A dialog rejects itself on Escape; a window that must be answered with its button does not.
void SecondaryWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && !described_.escapeCloses)
        return;
    QDialog::keyPressEvent(event);
}

} // namespace tallino
