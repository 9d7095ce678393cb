// Start-up and memory of the program against a bare Qt window, and the cost of a press.
//   tallino_bench startup [runs]   launches both probes in turn, on the platform of the
//                                  environment, up to the first shown window
//   tallino_bench press [presses]  clicks the units "+" and repaints the drawing

#include "abacuslayout.h"
#include "abacuswindow.h"
#include "beadcanvas.h"
#include "windowsupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#if defined(Q_OS_UNIX)
#include <sys/resource.h>
#endif

namespace {

qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

long peakResidentKiB()
{
#if defined(Q_OS_UNIX)
    rusage usage {};
    const long peak = getrusage(RUSAGE_SELF, &usage) == 0 ? usage.ru_maxrss : -1;
#if defined(Q_OS_MACOS)
    return peak / 1024; // bytes there
#else
    return peak;
#endif
#else
    return -1;
#endif
}

// Once the first paint has been flushed: the clock and the peak memory, then the end.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget *window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, [] {
                std::printf("%lld %ld\n", static_cast<long long>(nowNs()), peakResidentKiB());
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    bool seen_ = false;
};

// The yardstick: a window of the same size that reads fonts too.
int bareProbe()
{
    QWidget window;
    window.setFixedSize(518, 548);
    (new QPushButton(QStringLiteral("FINE"), &window))->setGeometry(10, 10, 200, 30);
    (new QLineEdit(QStringLiteral("0"), &window))->setGeometry(10, 50, 50, 40);
    (new QLabel(QStringLiteral("TALLINO"), &window))->setGeometry(10, 100, 200, 30);
    FirstPaint watcher(&window);
    window.show();
    return QApplication::exec();
}

// As main() does it.
int abacusProbe()
{
    tallino::setUpApplication();
    tallino::AbacusWindow window;
    FirstPaint watcher(&window);
    window.show();
    return QApplication::exec();
}

struct Run {
    double ms;
    double mib;
};

bool launch(const char *probe, Run &run)
{
    QProcess process;
    process.setStandardErrorFile(QProcess::nullDevice());
    const qint64 started = nowNs();
    process.start(QCoreApplication::applicationFilePath(), { QStringLiteral("--probe"), probe });
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return false;
    const QList<QByteArray> fields = process.readAllStandardOutput().trimmed().split(' ');
    run = { (fields.value(0).toLongLong() - started) / 1e6, fields.value(1).toLong() / 1024.0 };
    return fields.size() == 2;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int startup(int runs)
{
    const char *probes[] = { "bare", "abacus" };
    std::vector<double> ms[2], mib[2];
    // One launch each first, so that neither pays alone for reading the libraries from disk.
    for (int i = -1; i < runs; ++i) {
        for (int p = 0; p < 2; ++p) {
            Run run {};
            if (!launch(probes[p], run)) {
                std::fprintf(stderr, "the %s probe did not start\n", probes[p]);
                return 1;
            }
            if (i >= 0) {
                ms[p].push_back(run.ms);
                mib[p].push_back(run.mib);
            }
        }
    }
    std::printf("%s, %d runs each, medians\n", qPrintable(QGuiApplication::platformName()), runs);
    for (int p = 0; p < 2; ++p)
        std::printf("  %-7s %6.1f ms  %5.1f MiB\n", probes[p], median(ms[p]), median(mib[p]));
    std::printf("  ratio   %6.2f     %5.2f\n", median(ms[1]) / median(ms[0]),
        median(mib[1]) / median(mib[0]));
    return 0;
}

template<typename Action> double microseconds(int times, Action action)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < times; ++i)
        action();
    return timer.nsecsElapsed() / 1e3 / times;
}

int press(int presses)
{
    tallino::setUpApplication();
    tallino::AbacusWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    auto *plus = window.findChild<QPushButton *>(QStringLiteral("Command1"));
    auto *canvas = window.findChild<tallino::BeadCanvas *>();
    const tallino::abacus::Rod &units = tallino::abacus::rods.back();
    const QRect column = tallino::pixels({ units.beadLeft, units.line.y1,
        tallino::abacus::beadWidth, tallino::abacus::baseBar.y1 - units.line.y1 });
    std::printf("%s\n  click on the units \"+\", repaint included: %.0f µs\n",
        qPrintable(QGuiApplication::platformName()), microseconds(presses, [plus] {
            QTest::mouseClick(plus, Qt::LeftButton);
            QCoreApplication::processEvents();
        }));
    std::printf("  repaint of the whole drawing: %.0f µs\n",
        microseconds(presses, [canvas] { canvas->repaint(); }));
    std::printf("  repaint of the units column only: %.0f µs\n",
        microseconds(presses, [canvas, column] { canvas->repaint(column); }));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const QString mode = args.value(1);
    if (mode == QLatin1String("--probe"))
        return args.value(2) == QLatin1String("bare") ? bareProbe() : abacusProbe();
    const int count = std::max(1, args.value(2).toInt());
    if (mode == QLatin1String("startup"))
        return startup(args.size() > 2 ? count : 20);
    if (mode == QLatin1String("press"))
        return press(args.size() > 2 ? count : 500);
    std::fprintf(stderr, "usage: tallino_bench startup [runs] | press [presses]\n");
    return 2;
}
