#pragma once

#include "abacuswindow.h"
#include "beadcanvas.h"
#include "digitbox.h"
#include "twips.h"

#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QScreen>
#include <QTest>

// How a child sees the abacus: read off the pixels, not off the widgets' state.
namespace windowtest {

using tallino::Place;

// Layout figures are in twips; worked out here on their own rather than with the program's helper.
inline QRect twips(int left, int top, int width, int height)
{
    const auto px = [](int t) {
        return qRound(t / 15.0);
    };
    return { px(left), px(top), px(width), px(height) };
}

inline void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

inline bool isCentred(const QWidget &window)
{
    const QPoint offset =
        window.geometry().center() - window.screen()->availableGeometry().center();
    return offset.manhattanLength() <= 2;
}

inline QColor beadFill(Place place)
{
    static const QColor fills[] = { Qt::white, QColor(255, 0, 0), QColor(0, 0, 255),
        QColor(128, 128, 128) };
    return fills[tallino::indexOf(place)];
}

// A point inside the bead but clear of the rod drawn over its middle.
inline QPoint probe(Place place, int rank)
{
    const QPointF centre = tallino::BeadCanvas::beadCircle(place, rank).center();
    return { tallino::twipsToPixels(int(centre.x()) + 150),
        tallino::twipsToPixels(int(centre.y())) };
}

// The number of beads on a rod as the picture shows them; -1 when it is no pile from the bottom.
inline int beadsOnScreen(const QImage &image, Place place)
{
    int shown = 0;
    bool gap = false;
    for (int rank = 1; rank <= tallino::beadsPerRod; ++rank) {
        const QPoint at = probe(place, rank) * image.devicePixelRatio();
        const bool filled = image.pixelColor(at) == beadFill(place);
        if (filled && gap)
            return -1;
        gap = gap || !filled;
        shown += filled ? 1 : 0;
    }
    return shown;
}

inline QList<int> numberOnScreen(tallino::AbacusWindow &window)
{
    const QImage image = window.grab().toImage();
    return { beadsOnScreen(image, Place::Thousands), beadsOnScreen(image, Place::Hundreds),
        beadsOnScreen(image, Place::Tens), beadsOnScreen(image, Place::Units) };
}

inline QStringList boxTexts(const tallino::AbacusWindow &window)
{
    return { window.box(Place::Thousands)->text(), window.box(Place::Hundreds)->text(),
        window.box(Place::Tens)->text(), window.box(Place::Units)->text() };
}

// Replaces a box's text by typing, as a child would after selecting it.
inline void typeInto(QLineEdit *box, const QString &keys)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, keys);
}

inline void setNumber(tallino::AbacusWindow &window, const QString &digits)
{
    const Place order[] = { Place::Thousands, Place::Hundreds, Place::Tens, Place::Units };
    for (int i = 0; i < 4; ++i)
        typeInto(window.box(order[i]), digits.mid(i, 1));
}

inline QPushButton *button(const QWidget &window, const char *name)
{
    return window.findChild<QPushButton *>(QString::fromLatin1(name));
}

inline int openWindows(const char *name)
{
    int count = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        count += w->objectName() == QLatin1String(name) && w->isVisible() ? 1 : 0;
    return count;
}

} // namespace windowtest
