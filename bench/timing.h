#pragma once

#include <QElapsedTimer>
#include <QList>

#include <algorithm>
#include <functional>

#include <time.h>

namespace timing {

// Milliseconds of processor time this process has used.
inline double cpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// The medians of the time on the clock and of the processor time: on a
// machine shared with other work the second is the steadier figure.
struct Times {
    double wall = -1;
    double cpu = -1;
};

// `work` once to warm the cache, then `runs` times; -1 when it failed.
inline Times median(int runs, const std::function<bool()>& work)
{
    if (!work())
        return {};
    QList<double> wall, cpu;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        const double start = cpuMs();
        timer.start();
        work();
        wall.append(double(timer.nsecsElapsed()) / 1e6);
        cpu.append(cpuMs() - start);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall.at(runs / 2), cpu.at(runs / 2)};
}

} // namespace timing
