#include "firstshow.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>

#if defined(Q_OS_UNIX)
#include <sys/resource.h>
#endif

namespace tallino::bench {

namespace {

long peakResidentKiB()
{
#if defined(Q_OS_MACOS)
    rusage usage {};
    return getrusage(RUSAGE_SELF, &usage) == 0 ? usage.ru_maxrss / 1024 : -1; // bytes there
#elif defined(Q_OS_UNIX)
    rusage usage {};
    return getrusage(RUSAGE_SELF, &usage) == 0 ? usage.ru_maxrss : -1;
#else
    return -1;
#endif
}

class FirstPaintWatcher : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Runs once the paint that is under way has been flushed to the window.
            QTimer::singleShot(0, this, [] {
                const auto now = std::chrono::steady_clock::now().time_since_epoch();
                std::printf("%lld %ld\n",
                    static_cast<long long>(
                        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
                    peakResidentKiB());
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool seen_ = false;
};

} // namespace

void reportFirstShowAndQuit(QWidget *window)
{
    window->installEventFilter(new FirstPaintWatcher(window));
}

} // namespace tallino::bench
