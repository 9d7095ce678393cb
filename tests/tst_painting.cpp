#include "beadcanvas.h"
#include "twips.h"
#include "windowtestsupport.h"

#include <QPaintEvent>
#include <QPushButton>

using tallino::AbacusWindow;
using tallino::BeadCanvas;
using tallino::Place;

Q_DECLARE_METATYPE(Place)

namespace {

constexpr double scale = 2.0; // the test runs with QT_SCALE_FACTOR=2

QRectF toPixels(const QRectF &twips)
{
    return { twips.topLeft() / tallino::twipsPerPixel, twips.size() / tallino::twipsPerPixel };
}

// Painted at 1x and blown up, every aligned 2x2 block would be of one colour.
int mixedBlocks(const QImage &image, const QRect &area)
{
    int mixed = 0;
    for (int y = area.top() & ~1; y < area.bottom(); y += 2) {
        for (int x = area.left() & ~1; x < area.right(); x += 2) {
            const QRgb c = image.pixel(x, y);
            mixed += image.pixel(x + 1, y) != c || image.pixel(x, y + 1) != c
                || image.pixel(x + 1, y + 1) != c;
        }
    }
    return mixed;
}

class PaintRecorder : public QObject {
public:
    explicit PaintRecorder(QWidget *watched) { watched->installEventFilter(this); }
    QList<QRegion> regions;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            regions << static_cast<QPaintEvent *>(event)->region();
        return false;
    }
};

} // namespace

class TestPainting : public QObject {
    Q_OBJECT

private slots:
    void init();
    void beadsAtDeviceResolution_data();
    void beadsAtDeviceResolution();
    void onePaintOverTheChangedRods_data();
    void onePaintOverTheChangedRods();

private:
    std::unique_ptr<AbacusWindow> window_;
};

void TestPainting::init()
{
    window_ = std::make_unique<AbacusWindow>();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    QCOMPARE(window_->canvas()->devicePixelRatio(), scale);
}

void TestPainting::beadsAtDeviceResolution_data()
{
    QTest::addColumn<Place>("place");
    QTest::addColumn<QColor>("fill");

    QTest::newRow("thousands") << Place::Thousands << QColor(128, 128, 128);
    QTest::newRow("hundreds") << Place::Hundreds << QColor(0, 0, 255);
    QTest::newRow("tens") << Place::Tens << QColor(255, 0, 0);
    QTest::newRow("units") << Place::Units << QColor(255, 255, 255);
}

// The window keeps its logical size; the beads are drawn at device pixels, each in its rod's
// colour up to its digit, with the background above.
void TestPainting::beadsAtDeviceResolution()
{
    QFETCH(Place, place);
    QFETCH(QColor, fill);

    windowtest::setNumber(*window_, QStringLiteral("3574"));
    const QPixmap pixmap = window_->grab();
    QCOMPARE(pixmap.devicePixelRatio(), scale);
    QCOMPARE(window_->size(), QSize(518, 548));
    QCOMPARE(pixmap.size(), window_->size() * scale);
    const QImage shot = pixmap.toImage();

    const auto besideRod = [place](int rank) {
        const QPointF centre = toPixels(BeadCanvas::beadCircle(place, rank)).center();
        return ((centre + QPointF(10, 0)) * scale).toPoint();
    };
    const int shown = window_->core().digit(place);
    for (int rank = 1; rank <= shown; ++rank)
        QCOMPARE(shot.pixelColor(besideRod(rank)), fill);
    QCOMPARE(shot.pixelColor(besideRod(shown + 1)), QColor(163, 224, 215));

    const QRectF bead = toPixels(BeadCanvas::beadCircle(place, 1));
    const QRect device = QRectF(bead.topLeft() * scale, bead.size() * scale).toAlignedRect();
    QVERIFY2(mixedBlocks(shot, device) > 50, "the bead edge is not drawn at device pixels");
}

void TestPainting::onePaintOverTheChangedRods_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("changed"); // of "m", "c", "d", "u"

    QTest::newRow("units +") << QStringLiteral("1234") << QStringLiteral("Command1") << "u";
    QTest::newRow("units + with a carry")
        << QStringLiteral("1239") << QStringLiteral("Command1") << "ud";
    QTest::newRow("units + on 9999")
        << QStringLiteral("9999") << QStringLiteral("Command1") << "udc";
    QTest::newRow("tens -") << QStringLiteral("1234") << QStringLiteral("Command3") << "d";
    QTest::newRow("units - on 1000")
        << QStringLiteral("1000") << QStringLiteral("Command2") << "udcm";
    QTest::newRow("thousands + on 9") << QStringLiteral("9234") << QStringLiteral("Command8") << "";
}

// A press may change several rods, one write at a time; they must reach the screen in a
// single paint that leaves the other rods alone, and a press that changes none paints nothing.
void TestPainting::onePaintOverTheChangedRods()
{
    QFETCH(QString, typed);
    QFETCH(QString, button);
    QFETCH(QString, changed);

    windowtest::setNumber(*window_, typed);
    QTest::qWait(20);
    PaintRecorder recorder(window_->canvas());
    QTest::mouseClick(window_->findChild<QPushButton *>(button), Qt::LeftButton);
    QTest::qWait(50);

    QCOMPARE(recorder.regions.size(), changed.isEmpty() ? 0 : 1);
    const QRegion painted = recorder.regions.value(0).translated(window_->canvas()->pos());
    for (Place place : tallino::allPlaces) {
        const QRect beads = (toPixels(BeadCanvas::beadCircle(place, 1))
            | toPixels(BeadCanvas::beadCircle(place, tallino::beadsPerRod)))
                                .toAlignedRect();
        if (changed.contains(QChar(u"udcm"[tallino::indexOf(place)])))
            QVERIFY2(painted.contains(beads), "a changed rod is not repainted");
        else
            QVERIFY2(!painted.intersects(beads), "an unchanged rod is repainted");
    }
}

QTEST_MAIN(TestPainting)
#include "tst_painting.moc"
