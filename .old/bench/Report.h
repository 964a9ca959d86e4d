#pragma once

#include <QElapsedTimer>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace ojn::bench {

// The middle of several timings (seconds), steadier than the mean on a
// shared machine.
inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0.0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

template <typename Work>
double secondsOf(Work &&work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    return double(clock.nsecsElapsed()) / 1e9;
}

// One line of a ratio table: the figure, its baseline, the ratio and
// whether it is within the target.
inline void printRatio(const QString &what, double value, double baseline, double target, const char *unit = "ms",
                       double scale = 1000.0)
{
    const double ratio = value / baseline;
    std::printf("  %-34s %10.2f %s  baseline %10.2f %s  ratio %5.2f  (target <= %.2f) %s\n", qPrintable(what),
                value * scale, unit, baseline * scale, unit, ratio, target, ratio <= target ? "met" : "MISSED");
    std::fflush(stdout);
}

} // namespace ojn::bench
