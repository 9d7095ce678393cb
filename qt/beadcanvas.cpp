#include "beadcanvas.h"

#include "abacuslayout.h"
#include "windowsupport.h"

#include <QPainter>

namespace tallino {

namespace {

QRectF circleInside(const abacus::Rod &rod, int rank)
{
    const TwipsRect circle = abacus::beadCircle(rod, rank);
    // Keep the outline inside the box, as the layout measures it.
    const double inset = abacus::beadOutlinePx * twipsPerPixel / 2;
    return QRectF(circle.left, circle.top, circle.width, circle.height)
        .adjusted(inset, inset, -inset, -inset);
}

void drawLine(QPainter &painter, const TwipsLine &line, const QColor &colour)
{
    painter.setPen(QPen(colour, line.widthPx * twipsPerPixel, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(line.x1, line.y1, line.x2, line.y2);
}

} // namespace

BeadCanvas::BeadCanvas(const AbacusCore &core, QWidget *parent) : QWidget(parent), core_(core)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAccessibleName(text(abacus::beadsInWords(core_)));
    setAccessibleDescription(text(abacus::drawingDescription));
}

void BeadCanvas::beadsChanged()
{
    update();
    setAccessibleName(text(abacus::beadsInWords(core_)));
}

void BeadCanvas::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.scale(1 / twipsPerPixel, 1 / twipsPerPixel);
    const QColor ink = palette().color(QPalette::WindowText);
    drawLine(painter, abacus::baseBar, ink);
    // Only the circles are smoothed: the straight lines stay on whole pixels and crisp.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ink, abacus::beadOutlinePx * twipsPerPixel));
    for (const abacus::Rod &rod : abacus::rods) {
        painter.setBrush(colour(rod.beadFill));
        for (int rank : rod.drawingOrder) {
            if (core_.isBeadVisible(rod.place, rank))
                painter.drawEllipse(circleInside(rod, rank));
        }
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const abacus::Rod &rod : abacus::rods)
        drawLine(painter, rod.line, ink);
}

} // namespace tallino
