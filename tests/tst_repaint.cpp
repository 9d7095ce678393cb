#include "abacuswindow.h"
#include "beadcanvas.h"
#include "digitbox.h"
#include "twips.h"

#include <QPaintEvent>
#include <QPushButton>
#include <QTest>

using tallino::AbacusWindow;
using tallino::BeadCanvas;
using tallino::Place;

namespace {

// Remembers the paint events a widget receives.
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

// Where the beads of a rod are drawn, in pixels of the window.
QRect beadsArea(Place place)
{
    const QRectF twips = BeadCanvas::beadCircle(place, 1) | BeadCanvas::beadCircle(place, 9);
    return QRectF(
        twips.topLeft() / tallino::twipsPerPixel, twips.bottomRight() / tallino::twipsPerPixel)
        .toAlignedRect();
}

} // namespace

class TestRepaint : public QObject {
    Q_OBJECT

private slots:
    void onePaintOverTheChangedRods_data();
    void onePaintOverTheChangedRods();
};

void TestRepaint::onePaintOverTheChangedRods_data()
{
    QTest::addColumn<QString>("typed"); // thousands first
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("changed"); // "m", "c", "d", "u"

    QTest::newRow("units +") << "1234"
                             << "Command1"
                             << "u";
    QTest::newRow("units + with a carry") << "1239"
                                          << "Command1"
                                          << "ud";
    QTest::newRow("units + on 9999") << "9999"
                                     << "Command1"
                                     << "udc";
    QTest::newRow("tens -") << "1234"
                            << "Command3"
                            << "d";
    QTest::newRow("units - on 1000") << "1000"
                                     << "Command2"
                                     << "udcm";
    QTest::newRow("thousands + on 9, nothing changes") << "9234"
                                                       << "Command8"
                                                       << "";
}

// A press may change several rods, one write at a time; they must reach the screen in a
// single paint that leaves the other rods alone.
void TestRepaint::onePaintOverTheChangedRods()
{
    QFETCH(QString, typed);
    QFETCH(QString, button);
    QFETCH(QString, changed);

    AbacusWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (int i = 0; i < typed.size(); ++i) {
        tallino::DigitBox *box = window.box(static_cast<Place>(tallino::placeCount - 1 - i));
        box->selectAll();
        QTest::keyClicks(box, typed.mid(i, 1));
    }
    QTest::qWait(20);
    PaintRecorder recorder(window.canvas());

    QTest::mouseClick(window.findChild<QPushButton *>(button), Qt::LeftButton);
    QTest::qWait(50);

    QCOMPARE(recorder.regions.size(), changed.isEmpty() ? 0 : 1);
    const QRegion painted = recorder.regions.value(0).translated(window.canvas()->pos());
    for (Place place : tallino::allPlaces) {
        const bool expected = changed.contains(QChar(u"udcm"[tallino::indexOf(place)]));
        if (expected)
            QVERIFY2(painted.contains(beadsArea(place)), "a changed rod is not repainted");
        else
            QVERIFY2(!painted.intersects(beadsArea(place)), "an unchanged rod is repainted");
    }
}

QTEST_MAIN(TestRepaint)
#include "tst_repaint.moc"
