#include "beadcanvas.h"

#include "twips.h"

#include <QPainter>

namespace tallino {

namespace {

constexpr int beadBoxWidth = 1215;
constexpr int beadBoxHeight = 495;
constexpr int beadPitch = 480;
constexpr int topBeadTop = 1440;
constexpr int outlineWidthPx = 1;

struct Rod {
    int left; // of the bead boxes
    QColor fill;
};

const std::array<Rod, placeCount> rods { {
    { 3375, QColor(255, 255, 255) },
    { 2280, QColor(255, 0, 0) },
    { 1200, QColor(0, 0, 255) },
    { 120, QColor(128, 128, 128) },
} };

struct Line {
    QLine ends;
    int widthPx;
};

const Line baseBar { { 240, 6000, 4440, 6000 }, 15 };
// Thousands, units, hundreds, tens: the order in which they lie over one another.
const std::array<Line, placeCount> rodLines { {
    { { 720, 1320, 720, 5880 }, 10 },
    { { 3960, 1320, 3960, 5880 }, 10 },
    { { 1800, 1320, 1800, 5895 }, 10 },
    { { 2880, 1320, 2880, 6000 }, 10 },
} };

struct Bead {
    Place place;
    int rank;
};

constexpr std::array<Bead, placeCount *beadsPerRod> beadsInDrawingOrder = [] {
    std::array<Bead, placeCount * beadsPerRod> order {};
    int i = 0;
    for (Place place : { Place::Thousands, Place::Hundreds, Place::Tens })
        for (int rank = beadsPerRod; rank >= 1; --rank)
            order[i++] = { place, rank };
    for (int rank : { 1, 2, 9, 8, 7, 3, 4, 5, 6 })
        order[i++] = { Place::Units, rank };
    return order;
}();

void drawLine(QPainter &painter, const Line &line, const QColor &colour)
{
    painter.setPen(QPen(colour, line.widthPx * twipsPerPixel, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(line.ends);
}

// What the beads show, for screen readers: "2 migliaia, 0 centinaia, 1 decina, 5 unità".
QString beadsInWords(const std::array<int, placeCount> &shown)
{
    struct Words {
        Place place;
        const char16_t *one;
        const char16_t *many;
    };
    static constexpr Words words[] = { { Place::Thousands, u"migliaio", u"migliaia" },
        { Place::Hundreds, u"centinaio", u"centinaia" }, { Place::Tens, u"decina", u"decine" },
        { Place::Units, u"unità", u"unità" } };
    QStringList parts;
    for (const Words &w : words) {
        const int count = shown[indexOf(w.place)];
        parts << QString::number(count) + u' ' + QString::fromUtf16(count == 1 ? w.one : w.many);
    }
    return parts.join(u", ");
}

// The window pixels a drawing in twips may touch: a pixel more all round for the smoothed
// edges, and for the unsmoothed lines whose edge pixels may fall either side.
QRect pixelsCovering(const QRectF &twips)
{
    return QRectF(twips.topLeft() / twipsPerPixel, twips.bottomRight() / twipsPerPixel)
        .toAlignedRect()
        .adjusted(-1, -1, 1, 1);
}

QRect columnArea(Place place)
{
    return BeadCanvas::beadBox(place, beadsPerRod).united(BeadCanvas::beadBox(place, 1));
}

} // namespace

BeadCanvas::BeadCanvas(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAccessibleName(beadsInWords(shown_));
    setAccessibleDescription(QStringLiteral("Il numero rappresentato dalle palline sul tallino"));
}

QRect BeadCanvas::beadBox(Place place, int rank)
{
    return { rods[indexOf(place)].left, topBeadTop + beadPitch * (beadsPerRod - rank), beadBoxWidth,
        beadBoxHeight };
}

QRectF BeadCanvas::beadCircle(Place place, int rank)
{
    const QRectF box = beadBox(place, rank);
    const double diameter = std::min(box.width(), box.height());
    QRectF circle(0, 0, diameter, diameter);
    circle.moveCenter(box.center());
    // Keep the outline inside the box, as the layout measures it.
    const double inset = outlineWidthPx * twipsPerPixel / 2;
    return circle.adjusted(inset, inset, -inset, -inset);
}

QRect BeadCanvas::paintedArea()
{
    QRectF area;
    const auto addLine = [&area](const Line &line) {
        const double half = line.widthPx * twipsPerPixel / 2;
        area |=
            QRectF(line.ends.p1(), line.ends.p2()).normalized().adjusted(-half, -half, half, half);
    };
    addLine(baseBar);
    for (const Line &rod : rodLines)
        addLine(rod);
    for (Place place : allPlaces)
        area |= beadCircle(place, 1) | beadCircle(place, beadsPerRod);
    return pixelsCovering(area);
}

void BeadCanvas::setShownBeads(Place place, int shown)
{
    int &current = shown_[indexOf(place)];
    if (current == shown)
        return;
    current = shown;
    update(pixelsCovering(columnArea(place)).translated(-pos()));
    setAccessibleName(beadsInWords(shown_));
}

void BeadCanvas::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.translate(-pos()); // the drawing is laid out on the whole window
    painter.scale(1 / twipsPerPixel, 1 / twipsPerPixel);
    const QColor ink = palette().color(QPalette::WindowText);
    drawLine(painter, baseBar, ink);
    // Only the circles are smoothed: the straight lines stay on whole pixels and crisp.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ink, outlineWidthPx * twipsPerPixel));
    for (const Bead &bead : beadsInDrawingOrder) {
        if (bead.rank > shown_[indexOf(bead.place)])
            continue;
        painter.setBrush(rods[indexOf(bead.place)].fill);
        painter.drawEllipse(beadCircle(bead.place, bead.rank));
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const Line &rod : rodLines)
        drawLine(painter, rod, ink);
}

} // namespace tallino
