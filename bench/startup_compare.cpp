// Start-up of the abacus window against a bare Qt window of the same size: launches both
// probes in turn, offscreen, and prints the median time from launch to the first shown window
// and the median peak resident memory, as a Markdown table.
//   startup_compare [runs]

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

struct Run {
    double startupMs;
    double residentMiB;
};

struct Probe {
    const char *label;
    QString program;
    QStringList arguments;
    std::vector<Run> runs;
};

std::optional<Run> launch(const QString &program, const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.setStandardErrorFile(QProcess::nullDevice());
    const auto launched = std::chrono::steady_clock::now().time_since_epoch();
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0)
        return std::nullopt;
    const QList<QByteArray> fields = process.readAllStandardOutput().trimmed().split(' ');
    bool timeRead = false;
    bool memoryRead = false;
    const long long shownNs = fields.value(0).toLongLong(&timeRead);
    const long residentKiB = fields.value(1).toLong(&memoryRead);
    if (!timeRead || !memoryRead)
        return std::nullopt;
    const long long launchedNs =
        std::chrono::duration_cast<std::chrono::nanoseconds>(launched).count();
    return Run { (shownNs - launchedNs) / 1e6, residentKiB / 1024.0 };
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double medianOf(const std::vector<Run> &runs, double Run::*field)
{
    std::vector<double> values;
    for (const Run &run : runs)
        values.push_back(run.*field);
    return median(values);
}

double minimumStartup(const std::vector<Run> &runs)
{
    return std::min_element(runs.begin(), runs.end(), [](const Run &a, const Run &b) {
        return a.startupMs < b.startupMs;
    })->startupMs;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 20;
    const QString here = QCoreApplication::applicationDirPath();
    const QString bare = QStandardPaths::findExecutable(QStringLiteral("bare_window"), { here });
    Probe probes[] = {
        { "bare QWidget, 518×548", bare, {}, {} },
        { "AbacusWindow", QStandardPaths::findExecutable(QStringLiteral("abacus_window"), { here }),
            {}, {} },
        { "bare QWidget with one QLabel", bare, { QStringLiteral("--label") }, {} },
    };
    // One launch each first, so that neither pays alone for reading the libraries from disk.
    for (int i = -1; i < runs; ++i) {
        for (Probe &probe : probes) {
            const std::optional<Run> run = launch(probe.program, probe.arguments);
            if (!run) {
                std::fprintf(
                    stderr, "%s did not start: %s\n", probe.label, qPrintable(probe.program));
                return 1;
            }
            if (i >= 0)
                probe.runs.push_back(*run);
        }
    }

    std::printf("| %d runs each, offscreen | start-up to first show: median (fastest) "
                "| peak resident memory: median |\n|---|---|---|\n",
        runs);
    for (const Probe &probe : probes) {
        std::printf("| %s | %.1f ms (%.1f ms) | %.1f MiB |\n", probe.label,
            medianOf(probe.runs, &Run::startupMs), minimumStartup(probe.runs),
            medianOf(probe.runs, &Run::residentMiB));
    }
    // The ratio is the AbacusWindow's to the empty window's; the labelled one only explains it.
    std::printf("| AbacusWindow / bare QWidget (goal: at most 1.2) | %.2f | %.2f |\n",
        medianOf(probes[1].runs, &Run::startupMs) / medianOf(probes[0].runs, &Run::startupMs),
        medianOf(probes[1].runs, &Run::residentMiB) / medianOf(probes[0].runs, &Run::residentMiB));
    return 0;
}
