#include "bench/BenchSupport.h"
#include <windows.h>

namespace bench {

double Now()
{
    LARGE_INTEGER frequency, counter;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Report(const char* name, const char* unit, const std::vector<double>& ours, const std::vector<double>& baseline)
{
    const double a = Median(ours), b = Median(baseline);
    std::printf("%s: %.2f %s (median of %zu), baseline %.2f %s, ratio %.2f\n", name, a, unit, ours.size(), b, unit,
                b > 0 ? a / b : 0.0);
    std::fflush(stdout);
}

std::string FortyEightShortcuts()
{
    const char* names[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "A", "B", "C", "D", "E", "F",
                           "G", "H", "I", "J", "K", "L", "M", "N", "O", "P", "Q", "R", "S", "T", "U", "V",
                           "W", "X", "Y", "Z", "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12"};
    std::string ini = "[contents]\r\n";
    for (const char* name : names)
        ini += std::string(name) + "=Text of shortcut " + name + "{}second line\r\n";
    return ini;
}

}  // namespace bench
