#include "abacuswindow.h"
#include "beadcanvas.h"
#include "digitbox.h"
#include "twips.h"

#include <QTest>

using tallino::AbacusWindow;
using tallino::BeadCanvas;
using tallino::Place;

Q_DECLARE_METATYPE(Place)

// Runs with QT_SCALE_FACTOR=2: every logical pixel is two device pixels wide.
class TestHighDpi : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void beadsAtDeviceResolution_data();
    void beadsAtDeviceResolution();

private:
    AbacusWindow window_;
    QImage shot_;
};

namespace {

constexpr double scale = 2.0;
const QColor background(163, 224, 215);
const QString typed = QStringLiteral("3574"); // thousands first

// A bead centre, moved right so the rod does not cover it, in device pixels.
QPoint besideRod(Place place, int rank)
{
    const QPointF centre = BeadCanvas::beadCircle(place, rank).center() / tallino::twipsPerPixel;
    return ((centre + QPointF(10, 0)) * scale).toPoint();
}

// Painted at 1x and blown up, every aligned 2x2 block would be of one colour.
int mixedBlocks(const QImage &image, const QRect &area)
{
    int mixed = 0;
    for (int y = area.top() & ~1; y < area.bottom(); y += 2) {
        for (int x = area.left() & ~1; x < area.right(); x += 2) {
            const QRgb c = image.pixel(x, y);
            if (image.pixel(x + 1, y) != c || image.pixel(x, y + 1) != c
                || image.pixel(x + 1, y + 1) != c)
                ++mixed;
        }
    }
    return mixed;
}

} // namespace

void TestHighDpi::initTestCase()
{
    window_.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window_));
    for (int i = 0; i < typed.size(); ++i) {
        tallino::DigitBox *box = window_.box(static_cast<Place>(tallino::placeCount - 1 - i));
        box->selectAll();
        QTest::keyClicks(box, typed.mid(i, 1));
    }
    const QPixmap pixmap = window_.grab();
    QCOMPARE(pixmap.devicePixelRatio(), scale);
    QCOMPARE(window_.canvas()->devicePixelRatio(), scale);
    QCOMPARE(window_.size(), QSize(518, 548));
    QCOMPARE(pixmap.size(), window_.size() * scale);
    shot_ = pixmap.toImage();
}

void TestHighDpi::beadsAtDeviceResolution_data()
{
    QTest::addColumn<Place>("place");
    QTest::addColumn<QColor>("fill");

    QTest::newRow("thousands") << Place::Thousands << QColor(128, 128, 128);
    QTest::newRow("hundreds") << Place::Hundreds << QColor(0, 0, 255);
    QTest::newRow("tens") << Place::Tens << QColor(255, 0, 0);
    QTest::newRow("units") << Place::Units << QColor(255, 255, 255);
}

void TestHighDpi::beadsAtDeviceResolution()
{
    QFETCH(Place, place);
    QFETCH(QColor, fill);

    const int shown = window_.core().digit(place);
    QVERIFY(shown > 0 && shown < tallino::beadsPerRod);
    for (int rank = 1; rank <= shown; ++rank)
        QCOMPARE(shot_.pixelColor(besideRod(place, rank)), fill);
    QCOMPARE(shot_.pixelColor(besideRod(place, shown + 1)), background);

    const QRectF circle = BeadCanvas::beadCircle(place, 1);
    const QRect device = QRectF(circle.topLeft() * scale / tallino::twipsPerPixel,
        circle.size() * scale / tallino::twipsPerPixel)
                             .toAlignedRect();
    QVERIFY2(mixedBlocks(shot_, device) > 50, "the bead edge is not drawn at device pixels");
}

QTEST_MAIN(TestHighDpi)
#include "tst_highdpi.moc"
