#pragma once
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

// Medians and the one-line report format of the benchmarks.
namespace bench {

inline double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Seconds since an arbitrary start, from the performance counter.
double Now();

// "name: ours <unit> (median of n), baseline <unit>, ratio r"
void Report(const char* name, const char* unit, const std::vector<double>& ours, const std::vector<double>& baseline);

// keyset.ini text with a text shortcut on every one of the 48 keys.
std::string FortyEightShortcuts();

}  // namespace bench
