#include "base/Clock.h"

#include <chrono>
#include <ctime>

double now()
{
    timespec ts {};
    if (clock_gettime(CLOCK_MONOTONIC, &ts) == 0)
        return double(ts.tv_sec) * 1000.0 + double(ts.tv_nsec) / 1.0e6;
    using namespace std::chrono;
    return double(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

double processCpuMs()
{
    timespec ts {};
    if (clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts) != 0)
        return 0.0;
    return double(ts.tv_sec) * 1000.0 + double(ts.tv_nsec) / 1.0e6;
}
