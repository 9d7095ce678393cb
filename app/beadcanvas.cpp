#include "beadcanvas.h"

#include "abacuslayout.h"

#include <QPainter>

namespace tallino {

namespace {

constexpr int outlineWidthPx = 1;

QRectF beadCircle(const abacus::PlaceRow &row, int rank)
{
    const QRectF box(row.beadLeft, abacus::topBeadTop + abacus::beadPitch * (beadsPerRod - rank),
        abacus::beadWidth, abacus::beadHeight);
    const double diameter = std::min(box.width(), box.height());
    QRectF circle(0, 0, diameter, diameter);
    circle.moveCenter(box.center());
    // Keep the outline inside the box, as the layout measures it.
    const double inset = outlineWidthPx * twipsPerPixel / 2;
    return circle.adjusted(inset, inset, -inset, -inset);
}

void drawLine(QPainter &painter, const TwipsLine &line, const QColor &colour)
{
    painter.setPen(QPen(colour, line.widthPx * twipsPerPixel, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(line.x1, line.y1, line.x2, line.y2);
}

int shownBeads(const AbacusCore &core, Place place)
{
    int shown = 0;
    for (int rank = 1; rank <= beadsPerRod; ++rank)
        shown += core.isBeadVisible(place, rank) ? 1 : 0;
    return shown;
}

// What the beads show, for screen readers: "2 migliaia, 0 centinaia, 1 decina, 5 unità".
QString beadsInWords(const AbacusCore &core)
{
    QStringList parts;
    for (const abacus::PlaceRow &row : abacus::places) {
        const int count = shownBeads(core, row.place);
        parts << QString::number(count) + u' '
                + QString::fromUtf16(count == 1 ? row.words.one : row.words.many);
    }
    return parts.join(u", ");
}

} // namespace

BeadCanvas::BeadCanvas(const AbacusCore &core, QWidget *parent) : QWidget(parent), core_(core)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAccessibleName(beadsInWords(core_));
    setAccessibleDescription(QStringLiteral("Il numero rappresentato dalle palline sul tallino"));
}

void BeadCanvas::beadsChanged()
{
    update();
    setAccessibleName(beadsInWords(core_));
}

void BeadCanvas::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.scale(1 / twipsPerPixel, 1 / twipsPerPixel);
    const QColor ink = palette().color(QPalette::WindowText);
    drawLine(painter, abacus::baseBar, ink);
    // Only the circles are smoothed: the straight lines stay on whole pixels and crisp.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ink, outlineWidthPx * twipsPerPixel));
    for (const abacus::PlaceRow &row : abacus::places) {
        painter.setBrush(row.beadFill.colour());
        for (int rank : row.drawingOrder) {
            if (core_.isBeadVisible(row.place, rank))
                painter.drawEllipse(beadCircle(row, rank));
        }
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const abacus::PlaceRow &row : abacus::places)
        drawLine(painter, row.rod, ink);
}

} // namespace tallino
