// The core on its own, and a click on a step button through the window up to the repaint.
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.

#include "abacuscore.h"
#include "abacuswindow.h"
#include "beadcanvas.h"
#include "windowsupport.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <benchmark/benchmark.h>

using tallino::AbacusCore;
using tallino::Place;

namespace {

// Units "+" on 9999: eight writes, carrying through every place. Each run starts from a
// copy of the same core, so the copy is timed too.
void coreCarryThroughEveryPlace(benchmark::State &state)
{
    AbacusCore at9999;
    for (Place place : tallino::allPlaces)
        at9999.write(place, "9");
    for (auto _ : state) {
        AbacusCore core = at9999;
        benchmark::DoNotOptimize(core.stepUp(Place::Units));
        benchmark::DoNotOptimize(core);
    }
}
BENCHMARK(coreCarryThroughEveryPlace);

// A typed digit: the box text changes and the beads follow.
void coreTypedDigit(benchmark::State &state)
{
    AbacusCore core;
    bool odd = false;
    for (auto _ : state) {
        core.edit(Place::Units, odd ? "3" : "7");
        odd = !odd;
        benchmark::DoNotOptimize(core);
    }
}
BENCHMARK(coreTypedDigit);

class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget *watched) { watched->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

// One click on the units "+", through mouse press and release, the core and the bead
// canvas, until the repaint has been done.
void windowUnitsPlusClick(benchmark::State &state)
{
    tallino::AbacusWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        state.SkipWithError("the window was never shown");
        return;
    }
    auto *plus = window.findChild<QPushButton *>(QStringLiteral("Command1"));
    QCoreApplication::processEvents();
    PaintCounter counter(window.canvas());
    for (auto _ : state) {
        QTest::mouseClick(plus, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    state.counters["canvas paints per press"] =
        benchmark::Counter(counter.paints, benchmark::Counter::kAvgIterations);
}
BENCHMARK(windowUnitsPlusClick)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tallino::substituteMissingFonts();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
