#pragma once

#include <algorithm>
#include <vector>

namespace vm::bench {

// The middle of the measured times: one slow round does not move it.
inline double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace vm::bench
